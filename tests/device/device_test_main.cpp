// Tests of the device link run with a Qt event loop on the main thread, as the editor does,
// and with the settings store in a folder of their own, never the user's.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    std::string config =
        (std::filesystem::temp_directory_path() / "kadr-device-test-XXXXXX").string();
    if (mkdtemp(config.data()) == nullptr) {
        return 1;
    }
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    int status;
    {
        QCoreApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        status = RUN_ALL_TESTS();
    }
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    return status;
}
