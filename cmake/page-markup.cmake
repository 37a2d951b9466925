# Writes the page: its template with the main window's HTML, as the
# generator program prints it from the layout table, in its place.
#   cmake -DRUN=<command to run the generator> -DTEMPLATE=<index.html>
#         -DOUTPUT=<site/index.html> -P page-markup.cmake
execute_process(COMMAND ${RUN} OUTPUT_VARIABLE RONGXI_WINDOW_MARKUP RESULT_VARIABLE status
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
