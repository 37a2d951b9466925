// Draws and the six rows the window must show for them: one table for the
// shared handlers and for every front-end's window test.
#pragma once

#include <array>
#include <string_view>

namespace rongxi::test {

struct DrawScenario {
    std::string_view name;
    std::array<std::string_view, 3> entries;  // Text1 to Text3, UTF-8
    std::array<std::string_view, 6> rows;     // Text4 to Text9
};

inline constexpr std::array<DrawScenario, 4> kDrawScenarios{{
    {"123",
     {"1", "2", "3"},
     {"1234590*2345601*3456712", "1267890*2378901*3489012", "1356789*2467890*3578901",
      "1456780*2567891*3678902", "2345678*3456789*4567890", "3467890*4578901*5689012"}},
    {"999",
     {"9", "9", "9"},
     {"9012378*9012378*9012378", "9045678*9045678*9045678", "9134567*9134567*9134567",
      "9234568*9234568*9234568", "0123456*0123456*0123456", "1245678*1245678*1245678"}},
    {"5 empty x",
     {"5", "", "x"},
     {"5678934*0123489*0123489", "5601234*0156789*0156789", "5790123*0245678*0245678",
      "5890124*0345679*0345679", "6789012*1234567*1234567", "7801234*2356789*2356789"}},
    {"full-width digits",
     {"１", "２", "３"},
     {"1234590*2345601*3456712", "1267890*2378901*3489012", "1356789*2467890*3578901",
      "1456780*2567891*3678902", "2345678*3456789*4567890", "3467890*4578901*5689012"}},
}};

}  // namespace rongxi::test
