#include "ProgramRun.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace test_support {

std::filesystem::path builtProgram(const std::string& name)
{
#ifdef SUITE_OUTPUT_DIR
    return std::filesystem::path(SUITE_OUTPUT_DIR) / name;
#else
    return name;
#endif
}

std::filesystem::path installProgram(const std::string& name, const std::filesystem::path& folder)
{
    const auto built = builtProgram(name);
    EXPECT_TRUE(std::filesystem::exists(built)) << built;
    const auto copy = folder / name;
    std::error_code ec;
    std::filesystem::copy_file(built, copy, std::filesystem::copy_options::overwrite_existing, ec);
    EXPECT_FALSE(ec) << ec.message();
    return copy;
}

RunResult runProgram(const std::filesystem::path& program, const QStringList& args,
                     const std::filesystem::path& workingFolder)
{
    QProcess process;
    auto env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(env);
    if (!workingFolder.empty())
        process.setWorkingDirectory(QString::fromStdString(workingFolder.string()));
    process.start(QString::fromStdString(program.string()), args);
    const bool finished = process.waitForFinished(60000);
    EXPECT_TRUE(finished) << program << " did not finish";
    if (!finished)
        process.kill();
    return {finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

QString arg(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

} // namespace test_support
