// ovratuner-analyze --fine on a recording of known pitch: a row every 64 ms,
// cents with two decimals, and the steady part of the note read to a fraction
// of a cent, smoothed ("Low") or not ("High").
#include "PluckedString.hpp"
#include "TestTones.hpp"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>

namespace ovra {
namespace {

constexpr double D3 = 146.8324; // the D string at A4 = 440 Hz
constexpr double ONSET = 0.3;

QStringList analyzeRows(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(OVRA_ANALYZE_PATH), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    QStringList rows = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    rows.removeFirst(); // the header
    rows.removeAll(QString());
    return rows;
}

TEST(AnalyzeFine, ReadsAKnownPitchToATenthOfACentEveryHop) {
    test::PluckRecipe recipe;
    recipe.fundamental = D3 * std::exp2(-13.37 / 1200.0);
    recipe.inharmonicity = 1e-4;
    recipe.onsetSeconds = ONSET;
    recipe.seconds = 3.3;
    recipe.snrDb = 40.0;
    test::TemporaryDirectory dir;
    const std::string wav = dir.file("d3-flat.wav");
    ASSERT_TRUE(test::writeWav(wav, test::synthesizePluck(recipe), 8000));

    const QRegularExpression twoDecimals(QStringLiteral("^-?\\d+\\.\\d\\d$"));
    for (const bool hyperactive : {false, true}) {
        QStringList arguments{"--fine", "--string", "2", QString::fromStdString(wav)};
        if (hyperactive) {
            arguments.prepend("--hyperactive");
        }
        const QStringList rows = analyzeRows(arguments);
        ASSERT_GT(rows.size(), 40) << hyperactive;
        int steady = 0;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QStringList fields = rows[i].split(',');
            ASSERT_EQ(fields.size(), 12) << rows[i].toStdString();
            const double time = fields[1].toDouble();
            const QString cents = fields[9];
            if (i > 0) {
                EXPECT_NEAR(time - rows[i - 1].split(',')[1].toDouble(), 0.064, 1e-9);
            }
            if (cents.isEmpty()) {
                continue;
            }
            EXPECT_TRUE(twoDecimals.match(cents).hasMatch()) << cents.toStdString();
            if (time >= ONSET + 0.75 && time + 0.256 <= ONSET + 3.0) {
                EXPECT_NEAR(cents.toDouble(), -13.37, 0.15) << time << " " << hyperactive;
                ++steady;
            }
        }
        EXPECT_GT(steady, 30) << hyperactive;
    }
}

} // namespace
} // namespace ovra
