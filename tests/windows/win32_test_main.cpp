#include <gtest/gtest.h>

#include <cstdio>

// Output unbuffered: a test program stopped by its time limit still shows how far it came.
int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
