#pragma once

#include "TestSupport.h"
#include "app/ui/MainWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace dialtally {

std::string ReadText(const std::filesystem::path& path);

// A program folder holding the samples' formats, tariffs and log, and
// three reports A, B and C over the same log.
class WindowFixture : public testing::Test {
protected:
    void SetUp() override;

    // A copy of report A with some keys changed, as `name`.rep.
    std::string WriteReport(const std::string& name,
                            const std::vector<std::pair<std::string, std::string>>& keys);
    std::string ReportPath(const std::string& name) const { return m_home.Path() + name + ".rep"; }
    // Messages are recorded from here on.
    std::unique_ptr<TMainForm> MakeWindow();
    static std::string Shown(TMainForm& window) { return window.State().Current.ReportDescription; }

    ScopedRegional m_regional{"en-US"};
    TempFolder m_home;
    FixedFolders m_folders;
    std::string m_extraSettings;
    std::unique_ptr<RecordingFrontEnd> m_messages;
};

} // namespace dialtally
