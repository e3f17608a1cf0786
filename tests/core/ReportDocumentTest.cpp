#include "reports/ReportDocument.h"

#include "TestSupport.h"
#include "reports/ReportFile.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

namespace dialtally {

namespace {

class FakeHost : public DocumentHost {
public:
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override
    {
        OpenRequests.push_back(request);
        return Next(OpenAnswers);
    }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override
    {
        SaveRequests.push_back(request);
        return Next(SaveAnswers);
    }
    bool ShowProperties(int startPage, const std::string& caption) override
    {
        PropertiesShown.emplace_back(startPage, caption);
        return Properties ? Properties() : false;
    }
    void RunReport() override { ++Runs; }
    void Print(PrintedViews views) override { Printed.push_back(views); }
    bool ReportTypeRegistered() const override { return Registered; }

    std::deque<std::optional<std::string>> OpenAnswers, SaveAnswers; // cancel when empty
    std::vector<FileDialogRequest> OpenRequests, SaveRequests;
    std::function<bool()> Properties; // the dialog's doing; Cancel when unset
    std::vector<std::pair<int, std::string>> PropertiesShown;
    int Runs = 0;
    std::vector<PrintedViews> Printed;
    bool Registered = false;

private:
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers)
    {
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class ReportDocumentTest : public testing::Test {
protected:
    ReportDocumentTest()
        : m_reportFolder(m_folder.Path()), m_defaultPath(m_folder.File("Default.rep")),
          m_document({m_current, m_template, m_working, m_history, m_recent, m_reportFolder,
                      m_defaultPath},
                     m_host)
    {
        LoadDefaultTemplate(m_template, m_defaultPath);
        m_current = m_template;
        ResetQuickState(m_current);
    }

    // A saved report on disk, and the current report holding it.
    void OpenSaved(const std::string& name, const std::string& title)
    {
        TCfg report = m_template;
        report.ReportDescription = title;
        ASSERT_TRUE(WriteReportFile(report, m_folder.File(name)));
        ASSERT_TRUE(m_document.ReadReportFile(m_folder.File(name)));
        m_host.Runs = 0;
        m_frontEnd.StatusTexts.clear();
    }

    // What the properties dialog does on OK or Apply.
    void Edit(const std::string& title)
    {
        m_current.ReportDescription = title;
        m_current.Modified = true;
    }

    bool Exists(const std::string& name) const
    {
        return std::filesystem::exists(m_folder.File(name));
    }

    RecordingFrontEnd m_frontEnd;
    TempFolder m_folder;
    TCfg m_current, m_template, m_working;
    THCfg m_history;
    RecentFiles m_recent;
    std::string m_reportFolder;
    std::string m_defaultPath;
    FakeHost m_host;
    ReportDocument m_document;
};

} // namespace

TEST_F(ReportDocumentTest, UnmodifiedReportNeedsNoQuestion)
{
    EXPECT_EQ(m_document.ConfirmSave(), MessageAnswer::Yes);
    EXPECT_TRUE(m_frontEnd.Messages.empty());
}

struct ConfirmCase {
    const char* Name;
    MessageAnswer Answer;
    const char* File;                      // the current report's file, in the test folder
    std::optional<std::string> SaveAsName; // the Save As dialog's answer, if it is shown
    MessageAnswer Result;
    bool ModifiedAfter;
    const char* Written; // the file that exists afterwards, or nullptr
};

void PrintTo(const ConfirmCase& c, std::ostream* os)
{
    *os << c.Name;
}

class ConfirmSaveTest : public ReportDocumentTest,
                        public testing::WithParamInterface<ConfirmCase> {};

TEST_P(ConfirmSaveTest, AnswersAndTheirEffects)
{
    const ConfirmCase& c = GetParam();
    Edit("Changed");
    m_current.FileName = m_folder.File(c.File);
    m_frontEnd.Answers.push_back(c.Answer);
    if (c.SaveAsName)
        m_host.SaveAnswers.push_back(m_folder.File(*c.SaveAsName));

    EXPECT_EQ(m_document.ConfirmSave(), c.Result);

    ASSERT_FALSE(m_frontEnd.Messages.empty());
    EXPECT_EQ(m_frontEnd.Messages[0].Kind, MessageKind::Confirm);
    EXPECT_EQ(m_frontEnd.Messages[0].Buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(m_frontEnd.Messages[0].Text, "Save changes to " + m_folder.File(c.File) + "?");
    EXPECT_EQ(m_current.Modified, c.ModifiedAfter);
    if (c.Written) {
        EXPECT_TRUE(Exists(c.Written));
    }
    for (const char* name : {"Mine.rep", "Untitled.rep", "Saved.rep"})
        if (!c.Written || std::string(name) != c.Written) {
            EXPECT_FALSE(Exists(name)) << name;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ConfirmSaveTest,
    testing::Values(
        ConfirmCase{
            "YesSaves", MessageAnswer::Yes, "Mine.rep", {}, MessageAnswer::Yes, false, "Mine.rep"},
        ConfirmCase{
            "NoDropsTheMark", MessageAnswer::No, "Mine.rep", {}, MessageAnswer::No, false, nullptr},
        ConfirmCase{"CancelStops",
                    MessageAnswer::Cancel,
                    "Mine.rep",
                    {},
                    MessageAnswer::Cancel,
                    true,
                    nullptr},
        ConfirmCase{"YesOnUntitledAsksForAName", MessageAnswer::Yes, "Untitled.rep",
                    std::string("Saved.txt"), MessageAnswer::Yes, false, "Saved.rep"},
        ConfirmCase{"YesThenCancelledSaveAsStops",
                    MessageAnswer::Yes,
                    "Untitled.rep",
                    {},
                    MessageAnswer::Cancel,
                    true,
                    nullptr},
        ConfirmCase{"YesThenFailedWriteStops",
                    MessageAnswer::Yes,
                    "missing/Mine.rep",
                    {},
                    MessageAnswer::Cancel,
                    true,
                    nullptr}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ReportDocumentTest, FailedSaveKeepsTheChangesMarked)
{
    Edit("Changed");
    m_current.TotalsMode = 2;
    m_current.FileName = m_folder.File("missing/Mine.rep");
    EXPECT_FALSE(m_document.SaveReport());
    EXPECT_TRUE(m_current.Modified);
    EXPECT_EQ(m_current.TotalsMode, 2);
    EXPECT_EQ(m_frontEnd.Texts(MessageKind::Error),
              std::vector<std::string>{"An error occurred writing " +
                                       m_folder.File("missing/Mine.rep") + "."});
}

TEST_F(ReportDocumentTest, SaveWritesTheNamedFileAndResetsTheQuickState)
{
    OpenSaved("Mine.rep", "Mine");
    Edit("Renamed");
    m_current.DatesMode = 1;
    EXPECT_TRUE(m_document.SaveReport());
    EXPECT_TRUE(m_host.SaveRequests.empty());
    EXPECT_FALSE(m_current.Modified);
    EXPECT_EQ(m_current.DatesMode, 0);
    EXPECT_NE(m_folder.Read("Mine.rep").find("ReportDescription=Renamed\r\n"), std::string::npos);
    EXPECT_EQ(m_template.ReportDescription, "Dial-Up Networking"); // not the default report
}

TEST_F(ReportDocumentTest, SavingAnUntitledReportAsksWithTheReportFilter)
{
    Edit("New one");
    m_current.FileName = m_folder.File("Untitled.backup.rep");
    m_reportFolder = "/start/";
    m_host.SaveAnswers.push_back(m_folder.File("Phone.txt"));
    m_host.Registered = true;
    m_history.Position = 0;
    m_history.Count = 1;
    m_history.Items = {m_current};

    EXPECT_TRUE(m_document.SaveReport());

    ASSERT_EQ(m_host.SaveRequests.size(), 1u);
    EXPECT_EQ(m_host.SaveRequests[0].Filter, "Dialtally Reports (*.rep)|*.rep");
    EXPECT_EQ(m_host.SaveRequests[0].FilterIndex, 1);
    EXPECT_EQ(m_host.SaveRequests[0].InitialFolder, "/start/");
    EXPECT_EQ(m_host.SaveRequests[0].FileName, "Untitled.backup.rep");
    const std::string path = m_folder.File("Phone.rep");
    EXPECT_TRUE(Exists("Phone.rep"));
    EXPECT_FALSE(Exists("Phone.txt"));
    EXPECT_EQ(m_current.FileName, path);
    EXPECT_FALSE(m_current.Modified);
    EXPECT_EQ(m_reportFolder, m_folder.Path());
    EXPECT_EQ(m_recent.Entries[0], path);
    EXPECT_EQ(m_frontEnd.ShellRecent, std::vector<std::string>{path});
    EXPECT_EQ(m_history.Items[0].FileName, path);
    EXPECT_FALSE(m_history.Items[0].Modified);
    EXPECT_EQ(m_frontEnd.StatusTexts.back(), std::make_pair(0, std::string("Phone")));
}

TEST_F(ReportDocumentTest, ChoosingUntitledAsksAgain)
{
    m_current.FileName = m_folder.File("Untitled.rep");
    m_host.SaveAnswers = {m_folder.File("Untitled"), m_folder.File("Named.rep")};
    EXPECT_TRUE(m_document.SaveReportAs());
    ASSERT_EQ(m_host.SaveRequests.size(), 2u);
    EXPECT_EQ(m_host.SaveRequests[1].FileName, "Untitled.rep");
    EXPECT_FALSE(Exists("Untitled.rep"));
    EXPECT_TRUE(Exists("Named.rep"));
    EXPECT_EQ(m_recent.Entries[0], m_folder.File("Named.rep"));
    EXPECT_TRUE(m_recent.Entries[1].empty());
    EXPECT_TRUE(m_frontEnd.ShellRecent.empty()); // the file type is not registered
}

TEST_F(ReportDocumentTest, CancelledSaveAsChangesNothing)
{
    OpenSaved("Mine.rep", "Mine");
    Edit("Changed");
    const RecentFiles recentBefore = m_recent;
    const std::string folderBefore = m_reportFolder;
    EXPECT_FALSE(m_document.SaveReportAs());
    EXPECT_EQ(m_current.FileName, m_folder.File("Mine.rep"));
    EXPECT_TRUE(m_current.Modified);
    EXPECT_EQ(m_recent.Entries, recentBefore.Entries);
    EXPECT_EQ(m_reportFolder, folderBefore);
    EXPECT_NE(m_folder.Read("Mine.rep").find("ReportDescription=Mine\r\n"), std::string::npos);
}

TEST_F(ReportDocumentTest, SaveAsThatFailsToWriteRecordsNothing)
{
    Edit("Changed");
    const std::string name = m_current.FileName;
    m_host.Registered = true;
    m_history.Position = 0;
    m_history.Count = 1;
    m_history.Items = {m_current};
    // A folder through a loop of links cannot even be asked whether it
    // holds the file.
    std::filesystem::create_directory_symlink("loop", m_folder.File("loop"));
    const std::string targets[] = {m_folder.File("missing/Mine.rep"), m_folder.File("loop/Mine")};
    for (const std::string& target : targets) {
        SCOPED_TRACE(target);
        m_frontEnd.Messages.clear();
        m_host.SaveAnswers.push_back(target);
        EXPECT_FALSE(m_document.SaveReportAs());
        EXPECT_TRUE(m_current.Modified);
        EXPECT_TRUE(m_recent.Entries[0].empty());
        EXPECT_TRUE(m_frontEnd.ShellRecent.empty());
        EXPECT_TRUE(m_history.Items[0].Modified);
        EXPECT_EQ(m_frontEnd.Texts(MessageKind::Error).size(), 1u);
        EXPECT_EQ(m_current.FileName, name) << "keeps its name";
    }
}

// A name typed without ".rep" is asked about as the file it names.
TEST_F(ReportDocumentTest, SaveAsOverAnExistingReportTypedWithoutItsExtensionAsks)
{
    OpenSaved("Mine.rep", "Mine");
    OpenSaved("Other.rep", "Other");
    Edit("Changed");
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        m_host.SaveAnswers.push_back(m_folder.File("Mine"));
        m_frontEnd.Answers.push_back(answer);
        EXPECT_EQ(m_document.SaveReportAs(), answer == MessageAnswer::Yes);
        EXPECT_EQ(m_folder.Read("Mine.rep").find("ReportDescription=Changed\r\n") !=
                      std::string::npos,
                  answer == MessageAnswer::Yes);
    }
    EXPECT_EQ(m_frontEnd.Texts(MessageKind::Confirm).size(), 2u);
}

TEST_F(ReportDocumentTest, SavingTheDefaultReportUpdatesTheTemplateForNewReports)
{
    m_current.FileName = m_defaultPath;
    Edit("House rules");
    m_current.TotalMonth = "1";
    ASSERT_TRUE(m_document.SaveReport());
    EXPECT_EQ(m_template.ReportDescription, "House rules");

    m_document.NewReport();
    EXPECT_EQ(m_working.ReportDescription, "House rules");
    EXPECT_EQ(m_working.TotalMonth, "1");
    EXPECT_EQ(m_working.FileName, m_folder.File("Untitled.rep"));
}

TEST_F(ReportDocumentTest, NewReportShowsTheFirstPageAndRunsOnOk)
{
    m_reportFolder = m_folder.File("sub/");
    m_host.Properties = [&] {
        Edit("Fresh");
        return true;
    };
    m_document.NewReport();
    ASSERT_EQ(m_host.PropertiesShown.size(), 1u);
    EXPECT_EQ(m_host.PropertiesShown[0], std::make_pair(0, std::string("Untitled Properties")));
    EXPECT_EQ(m_current.FileName, m_folder.File("sub/Untitled.rep"));
    EXPECT_EQ(m_current.ReportDescription, "Fresh");
    EXPECT_TRUE(m_current.Modified);
    EXPECT_EQ(m_host.Runs, 1);
}

TEST_F(ReportDocumentTest, NewReportCancelledLeavesTheCurrentReport)
{
    OpenSaved("Mine.rep", "Mine");
    m_document.NewReport();
    EXPECT_EQ(m_host.PropertiesShown.size(), 1u);
    EXPECT_EQ(m_current.FileName, m_folder.File("Mine.rep"));
    EXPECT_EQ(m_current.ReportDescription, "Mine");
    EXPECT_EQ(m_host.Runs, 0);
}

TEST_F(ReportDocumentTest, NewReportAppliedThenCancelledIsUntitled)
{
    OpenSaved("Mine.rep", "Mine");
    m_host.Properties = [&] {
        Edit("Applied");
        return false;
    };
    m_document.NewReport();
    EXPECT_EQ(m_current.FileName, m_folder.File("Untitled.rep"));
    EXPECT_EQ(m_host.Runs, 0); // Apply has shown it already
    EXPECT_NE(m_folder.Read("Mine.rep").find("ReportDescription=Mine\r\n"), std::string::npos);
}

TEST_F(ReportDocumentTest, NewReportStopsWhenTheQuestionIsCancelled)
{
    Edit("Changed");
    m_frontEnd.Answers.push_back(MessageAnswer::Cancel);
    m_document.NewReport();
    EXPECT_TRUE(m_host.PropertiesShown.empty());
    EXPECT_TRUE(m_current.Modified);
}

TEST_F(ReportDocumentTest, OpenReplacesTheChosenExtension)
{
    OpenSaved("Mine.rep", "Mine");
    TCfg other = m_template;
    other.ReportDescription = "Other";
    ASSERT_TRUE(WriteReportFile(other, m_folder.File("Other.rep")));
    m_host.OpenAnswers.push_back(m_folder.File("Other.txt"));

    m_document.OpenReport();

    ASSERT_EQ(m_host.OpenRequests.size(), 1u);
    EXPECT_EQ(m_host.OpenRequests[0].Filter, "Dialtally Reports (*.rep)|*.rep");
    EXPECT_EQ(m_host.OpenRequests[0].FilterIndex, 1);
    EXPECT_EQ(m_host.OpenRequests[0].InitialFolder, m_folder.Path());
    EXPECT_EQ(m_host.OpenRequests[0].FileName, "Mine.rep");
    EXPECT_EQ(m_current.ReportDescription, "Other");
    EXPECT_EQ(m_current.FileName, m_folder.File("Other.rep"));
    EXPECT_EQ(m_recent.Entries[0], m_folder.File("Other.rep"));
    EXPECT_EQ(m_host.Runs, 1);
    EXPECT_TRUE(m_frontEnd.ShellRecent.empty()); // only a recent-files entry adds it
}

TEST_F(ReportDocumentTest, OpeningATextFileWithoutItsReportShowsTheReadError)
{
    m_folder.Write("Notes.txt", "ReportType=Graph\r\n");
    m_host.OpenAnswers.push_back(m_folder.File("Notes.txt"));
    m_document.OpenReport();
    EXPECT_EQ(m_current.ReportType, "Text");
    EXPECT_EQ(m_host.Runs, 0);
    EXPECT_EQ(m_frontEnd.Texts(MessageKind::Error),
              std::vector<std::string>{"An error occurred reading " + m_folder.File("Notes.rep") +
                                       ".\n\rThe file was not found."});
}

TEST_F(ReportDocumentTest, OpenCancelledOrRefusedDoesNothing)
{
    m_document.OpenReport(); // dialog cancelled
    EXPECT_EQ(m_host.OpenRequests.size(), 1u);
    EXPECT_EQ(m_host.Runs, 0);

    Edit("Changed");
    m_frontEnd.Answers.push_back(MessageAnswer::Cancel);
    m_document.OpenReport();
    EXPECT_EQ(m_host.OpenRequests.size(), 1u); // no second dialog
}

TEST_F(ReportDocumentTest, OpenRecentAddsToTheShellWhenRegistered)
{
    TCfg other = m_template;
    other.ReportType = "Graph";
    ASSERT_TRUE(WriteReportFile(other, m_folder.File("Recent.rep")));
    m_host.Registered = true;
    m_document.OpenRecentReport(m_folder.File("Recent.rep"));
    EXPECT_EQ(m_current.ReportType, "Graph");
    EXPECT_EQ(m_host.Runs, 1);
    EXPECT_EQ(m_frontEnd.ShellRecent, std::vector<std::string>{m_folder.File("Recent.rep")});
}

TEST_F(ReportDocumentTest, OpenRecentOfAVanishedFileKeepsTheEntryAndTheReport)
{
    OpenSaved("Mine.rep", "Mine");
    m_recent.Entries[1] = m_folder.File("Gone.rep");
    m_host.Registered = true;
    m_document.OpenRecentReport(m_folder.File("Gone.rep"));
    EXPECT_EQ(m_recent.Entries[0], m_folder.File("Mine.rep"));
    EXPECT_EQ(m_recent.Entries[1], m_folder.File("Gone.rep"));
    EXPECT_EQ(m_current.FileName, m_folder.File("Mine.rep"));
    EXPECT_EQ(m_host.Runs, 0);
    EXPECT_TRUE(m_frontEnd.ShellRecent.empty());
    EXPECT_EQ(m_frontEnd.Texts(MessageKind::Error),
              std::vector<std::string>{"An error occurred reading " + m_folder.File("Gone.rep") +
                                       ".\n\rThe file was not found."});
}

TEST_F(ReportDocumentTest, OpenRecentStopsWhenTheQuestionIsCancelled)
{
    OpenSaved("Mine.rep", "Mine");
    Edit("Changed");
    m_frontEnd.Answers.push_back(MessageAnswer::Cancel);
    m_document.OpenRecentReport(m_folder.File("Mine.rep"));
    EXPECT_EQ(m_current.ReportDescription, "Changed");
    EXPECT_EQ(m_host.Runs, 0);
}

TEST_F(ReportDocumentTest, GoToDefaultRereadsTheDefaultReportWithoutAsking)
{
    OpenSaved("Mine.rep", "Mine");
    Edit("Unsaved");
    m_current.TimesMode = 1;
    m_folder.Write("Default.rep", "ReportDescription=From disk\r\nReportType=Split\r\n");

    m_document.GoToDefaultReport();

    EXPECT_TRUE(m_frontEnd.Messages.empty());
    EXPECT_EQ(m_current.ReportDescription, "From disk");
    EXPECT_EQ(m_current.ReportType, "Split");
    EXPECT_EQ(m_template.ReportDescription, "From disk");
    EXPECT_EQ(m_current.FileName, m_defaultPath);
    EXPECT_FALSE(m_current.Modified);
    EXPECT_EQ(m_current.TimesMode, 0);
    EXPECT_EQ(m_reportFolder, m_folder.Path());
    EXPECT_EQ(m_host.Runs, 1);
}

TEST_F(ReportDocumentTest, DateTextsOfTheTemplateFollowThePreset)
{
    ScopedRegional german("de-DE");
    m_document.LoadDefaultTemplate();
    m_current = m_template;
    m_current.FileName = m_defaultPath;
    ASSERT_TRUE(m_document.SaveReport());
    const std::string text = m_folder.Read("Default.rep");
    EXPECT_NE(text.find("\r\nCriteriaDateTo=31.12.2000\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nCriteriaTimeTo=23:59:59\r\n"), std::string::npos);
}

struct PrintCase {
    const char* ReportType;
    PrintedViews Printed;
};

void PrintTo(const PrintCase& c, std::ostream* os)
{
    *os << c.ReportType;
}

class PrintReportTest : public ReportDocumentTest, public testing::WithParamInterface<PrintCase> {};

TEST_P(PrintReportTest, PrintsWhatTheViewShows)
{
    m_current.ReportType = GetParam().ReportType;
    m_document.PrintReport();
    EXPECT_EQ(m_host.Printed, std::vector<PrintedViews>{GetParam().Printed});
}

INSTANTIATE_TEST_SUITE_P(Views, PrintReportTest,
                         testing::Values(PrintCase{"Text", PrintedViews::Grid},
                                         PrintCase{"Graph", PrintedViews::Chart},
                                         PrintCase{"Split", PrintedViews::GridAndChart},
                                         PrintCase{"text", PrintedViews::GridAndChart}));

} // namespace dialtally
