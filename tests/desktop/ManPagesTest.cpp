// The man pages list exactly the options each program's --help lists.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <string>

#include <gtest/gtest.h>

namespace {

// The long options at the head of --help's option lines ("  --device NAME ...").
QSet<QString> helpOptions(const QString& program) {
    QProcess process;
    process.start(program, {QStringLiteral("--help")});
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    const QString help = QString::fromUtf8(process.readAllStandardOutput());
    QSet<QString> options;
    const QRegularExpression line(QStringLiteral("^  (--[a-z-]+)"),
                                  QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(help); it.hasNext();) {
        options.insert(it.next().captured(1));
    }
    return options;
}

// The long options that head the tagged paragraphs of the OPTIONS section
// (".TP" then ".B \-\-loop" or ".BI \-\-device " NAME"").
QSet<QString> manOptions(const QString& page) {
    QFile file(page);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype start = text.indexOf(QStringLiteral("\n.SH OPTIONS"));
    const qsizetype end = text.indexOf(QStringLiteral("\n.SH "), start + 1);
    EXPECT_GE(start, 0) << page.toStdString();
    QSet<QString> options;
    const QRegularExpression tag(QStringLiteral("^\\.TP\\n\\.B[IR]? (\\\\-\\\\-[a-z\\\\-]+)"),
                                 QRegularExpression::MultilineOption);
    for (auto it = tag.globalMatch(text.mid(start, end - start)); it.hasNext();) {
        options.insert(it.next().captured(1).remove(QLatin1Char('\\')));
    }
    return options;
}

// What `a` has that `b` lacks, sorted, for a readable failure.
std::string missing(const QSet<QString>& a, const QSet<QString>& b) {
    QStringList names = QSet<QString>(a).subtract(b).values();
    names.sort();
    return names.join(QLatin1Char(' ')).toStdString();
}

TEST(ManPages, ListTheOptionsOfHelp) {
    const struct {
        const char* program;
        const char* page;
    } programs[] = {{OVRA_TUNER_PATH, OVRA_MAN_DIR "/ovratuner.1.in"},
                    {OVRA_ANALYZE_PATH, OVRA_MAN_DIR "/ovratuner-analyze.1.in"}};
    for (const auto& p : programs) {
        const QSet<QString> help = helpOptions(QString::fromUtf8(p.program));
        EXPECT_GE(help.size(), 5) << p.program;
        const QSet<QString> man = manOptions(QString::fromUtf8(p.page));
        EXPECT_EQ(missing(help, man), "") << "in --help, not in " << p.page;
        EXPECT_EQ(missing(man, help), "") << "in " << p.page << ", not in --help";
    }
}

} // namespace
