# Runs a program and writes what it prints to a file:
#   cmake -DRUN=<command> -DOUTPUT=<file> -P run-to-file.cmake
execute_process(COMMAND ${RUN} OUTPUT_FILE ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
