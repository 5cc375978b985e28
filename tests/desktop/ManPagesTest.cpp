// SPDX-License-Identifier: GPL-3.0-or-later
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

// What `program option` prints, having succeeded.
QString output(const QString& program, const QString& option) {
    QProcess process;
    process.start(program, {option});
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The man page's text and, from its OPTIONS section, the long options that
// head the tagged paragraphs (".TP" then ".B \-\-loop" or ".BI \-\-device " NAME").
TEST(ManPages, ListTheOptionsOfHelpAndWithVersionNameTheLicence) {
    const struct {
        const char *program, *name, *page;
    } programs[] = {
        {OVRA_TUNER_PATH, "OvraTuner", OVRA_MAN_DIR "/ovratuner.1.in"},
        {OVRA_ANALYZE_PATH, "ovratuner-analyze", OVRA_MAN_DIR "/ovratuner-analyze.1.in"}};
    const QString licence = QStringLiteral(
        "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>");
    for (const auto& p : programs) {
        SCOPED_TRACE(p.page);
        const QString program = QString::fromUtf8(p.program);
        const std::string help =
            optionsIn(output(program, QStringLiteral("--help")), QStringLiteral("^  (--[a-z-]+)"));
        EXPECT_GE(std::count(help.begin(), help.end(), ' '), 4);
        QFile file(QString::fromUtf8(p.page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(file.readAll());
        const qsizetype start = page.indexOf(QStringLiteral("\n.SH OPTIONS"));
        ASSERT_GE(start, 0);
        EXPECT_EQ(
            help,
            optionsIn(page.mid(start, page.indexOf(QStringLiteral("\n.SH "), start + 1) - start),
                      QStringLiteral("^\\.TP\\n\\.B[IR]? (\\\\-\\\\-[a-z\\\\-]+)")));

        const QStringList lines = output(program, QStringLiteral("--version")).split('\n');
        ASSERT_GE(lines.size(), 4);
        // The first line stays "NAME VERSION": scripts read the version from it.
        EXPECT_TRUE(
            QRegularExpression(
                QStringLiteral("^%1 [0-9]+\\.[0-9]+\\.[0-9]+$").arg(QString::fromUtf8(p.name)))
                .match(lines[0])
                .hasMatch())
            << lines[0].toStdString();
        EXPECT_TRUE(lines.contains(licence));
        EXPECT_TRUE(lines.contains(
            QStringLiteral("There is NO WARRANTY, to the extent permitted by law.")));
        const qsizetype copyright = page.indexOf(QStringLiteral("\n.SH COPYRIGHT\n"));
        ASSERT_GE(copyright, 0);
        EXPECT_GT(page.indexOf(licence, copyright), copyright);
    }
}

} // namespace
