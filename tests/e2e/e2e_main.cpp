// Entry of the end-to-end driver: prepares the prefix's shared pieces once per run.
#include <gtest/gtest.h>

#include "zarv_fixture.h"

namespace {

class Environment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_NE(GetFileAttributesW(e2e::ZarvExe().c_str()), INVALID_FILE_ATTRIBUTES)
            << "zarv.exe is not built: " << e2e::ToAnsi(e2e::ZarvExe());
        // Leftovers of a driver that was cut off would hold hot keys and the resident window.
        for (const wchar_t* exe : {L"zarv.exe", L"marker.exe", L"control.exe"}) e2e::KillAll(exe);
        // The test prefix opens documents, URLs and folders with this marker.
        ASSERT_TRUE(e2e::CopyTo(e2e::HelperFolder() + L"\\marker.exe", e2e::kShellMarker));
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new Environment);
    return RUN_ALL_TESTS();
}
