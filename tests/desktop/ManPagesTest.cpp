// The man pages list exactly the options each program's --help lists.
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

} // namespace
