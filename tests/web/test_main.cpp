// main() for test programs run in a page: a main() that suspended (a message
// box waits for its OK) loses its return value, so the status is handed to
// the driver in the page.

#include <emscripten/emscripten.h>
#include <gtest/gtest.h>

EM_JS(void, jsHandOver, (int status), { globalThis.zelvoTestStatus = status; });

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    jsHandOver(status);
    return status;
}
