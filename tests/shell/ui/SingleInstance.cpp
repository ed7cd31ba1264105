// One running copy per data folder, checked with real processes of the program.
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>

#include "ShellFixture.h"
#include "company/Password.h"
#include "shell/ui/SingleInstance.h"

namespace shelltest {
namespace {

using shell::ui::SingleInstance;

// The program is built beside the command-line tool.
QString ProgramPath() {
    QString path = KT_TOOL_PATH;
    path.replace("src/tool/kt-invorra-tool", "src/app/kt-invorra");
    return path;
}

struct ProgramRun {
    int exitCode = -1;
    bool finished = false;
    QString output;
};

// Runs the program offscreen; events of this process keep being handled while it runs.
ProgramRun RunProgram(const QStringList& arguments, int timeoutMs = 30000) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(ProgramPath(), arguments);
    QElapsedTimer timer;
    timer.start();
    while (!process.waitForFinished(20) && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents();
    ProgramRun run;
    run.finished = process.state() == QProcess::NotRunning;
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitCode();
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    return run;
}

class SingleInstanceTest : public ShellTest {
protected:
    void SetUp() override { ASSERT_TRUE(QFile::exists(ProgramPath())) << "build kt-invorra first"; }
};

TEST_F(SingleInstanceTest, SecondCopyHandsOverToTheFirstAndEnds) {
    SingleInstance first(QString::fromStdString(dir.path().string()));
    ASSERT_EQ(first.Claim(), SingleInstance::Outcome::First);
    QSignalSpy activations(&first, &SingleInstance::activationRequested);

    // Without a hand-off the second copy would wait at the missing-data-files message forever.
    const ProgramRun second = RunProgram({"--data", QString::fromStdString(dir.path().string())});
    ASSERT_TRUE(second.finished);
    EXPECT_EQ(second.exitCode, 0);
    if (activations.isEmpty()) activations.wait(2000);
    EXPECT_EQ(activations.size(), 1);
}

// Taken while start-up waits for the password; the second start proves the first one ended cleanly.
TEST_F(SingleInstanceTest, ScreenshotDrawsTheWindowsShownAndEnds) {
    MakeDataFolder();
    ASSERT_TRUE(company::WritePassword(files, "Secret"));
    const QString picture = QString::fromStdString(dir.file("main.png"));
    const QStringList arguments = {"--data", QString::fromStdString(dir.path().string()),
                                   "--screenshot", picture};
    for (int start = 0; start < 2; ++start) {
        QFile::remove(picture);
        const ProgramRun run = RunProgram(arguments);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.output.contains(picture));
        const QImage image(picture);
        ASSERT_FALSE(image.isNull());
        EXPECT_GE(image.width(), 640);
        QSet<QRgb> colours;  // drawn windows, not a blank page
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4) colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 20);
    }
}

}  // namespace
}  // namespace shelltest
