// The man pages list exactly the options each program's --help lists, and
// the programs and their pages name the licence.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

namespace {

// The long options matched by `pattern` in `text`, sorted, one of each.
std::string optionsIn(const QString& text, const QString& pattern) {
    QStringList options;
    const QRegularExpression option(pattern, QRegularExpression::MultilineOption);
    for (auto it = option.globalMatch(text); it.hasNext();) {
        options << it.next().captured(1).remove(QLatin1Char('\\'));
    }
    options.sort();
    options.removeDuplicates();
    return options.join(QLatin1Char(' ')).toStdString();
}

// The long options at the head of --help's option lines ("  --device NAME ...").
std::string helpOptions(const QString& program) {
    QProcess process;
    process.start(program, {QStringLiteral("--help")});
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    return optionsIn(QString::fromUtf8(process.readAllStandardOutput()),
                     QStringLiteral("^  (--[a-z-]+)"));
}

// The long options that head the tagged paragraphs of the OPTIONS section
// (".TP" then ".B \-\-loop" or ".BI \-\-device " NAME"").
std::string manOptions(const QString& page) {
    QFile file(page);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype start = text.indexOf(QStringLiteral("\n.SH OPTIONS"));
    const qsizetype end = text.indexOf(QStringLiteral("\n.SH "), start + 1);
    EXPECT_GE(start, 0) << page.toStdString();
    return optionsIn(text.mid(start, end - start),
                     QStringLiteral("^\\.TP\\n\\.B[IR]? (\\\\-\\\\-[a-z\\\\-]+)"));
}

TEST(ManPages, ListTheOptionsOfHelp) {
    const struct {
        const char* program;
        const char* page;
    } programs[] = {{OVRA_TUNER_PATH, OVRA_MAN_DIR "/ovratuner.1.in"},
                    {OVRA_ANALYZE_PATH, OVRA_MAN_DIR "/ovratuner-analyze.1.in"}};
    for (const auto& p : programs) {
        const std::string help = helpOptions(QString::fromUtf8(p.program));
        EXPECT_GE(std::count(help.begin(), help.end(), ' '), 4) << p.program;
        EXPECT_EQ(help, manOptions(QString::fromUtf8(p.page))) << "--help against " << p.page;
    }
}

// What `program --version` prints.
QString versionText(const QString& program) {
    QProcess process;
    process.start(program, {QStringLiteral("--version")});
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(ManPages, VersionAndPageNameTheLicence) {
    const struct {
        const char* program;
        const char* name;
        const char* page;
    } programs[] = {
        {OVRA_TUNER_PATH, "OvraTuner", OVRA_MAN_DIR "/ovratuner.1.in"},
        {OVRA_ANALYZE_PATH, "ovratuner-analyze", OVRA_MAN_DIR "/ovratuner-analyze.1.in"}};
    const QString licence = QStringLiteral(
        "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>");
    for (const auto& p : programs) {
        const QStringList lines =
            versionText(QString::fromUtf8(p.program)).split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 4) << p.program;
        // The first line stays "NAME VERSION": scripts read the version from it.
        EXPECT_TRUE(
            QRegularExpression(
                QStringLiteral("^%1 [0-9]+\\.[0-9]+\\.[0-9]+$").arg(QString::fromUtf8(p.name)))
                .match(lines[0])
                .hasMatch())
            << lines[0].toStdString();
        EXPECT_TRUE(lines.contains(licence)) << p.program;
        EXPECT_TRUE(
            lines.contains(QStringLiteral("There is NO WARRANTY, to the extent permitted by law.")))
            << p.program;

        QFile file(QString::fromUtf8(p.page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << p.page;
        const QString page = QString::fromUtf8(file.readAll());
        const qsizetype start = page.indexOf(QStringLiteral("\n.SH COPYRIGHT\n"));
        ASSERT_GE(start, 0) << p.page;
        EXPECT_TRUE(page.indexOf(licence, start) > start) << p.page;
    }
}

} // namespace
