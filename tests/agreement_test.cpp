// The window and quillmere-calc agree: every case of agreement_cases.csv is typed into the
// window as a user would and run through the quillmere-calc program as a job sheet; the
// result texts and messages must be identical.
#include "WindowFixture.h"
#include "calc/JobJson.h"
#include "report/CsvStream.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <map>
#include <memory>

namespace {

using Row = std::map<std::string, std::string>;

std::vector<Row> ReadSheet(std::FILE* in) {
    Quillmere::CsvReader reader(in);
    std::vector<std::string> header;
    std::vector<std::string> fields;
    std::vector<Row> rows;
    reader.Next(header);
    while (reader.Next(fields)) {
        Row row;
        for (std::size_t i = 0; i < header.size() && i < fields.size(); ++i) {
            row[header[i]] = fields[i];
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

class AgreementTest : public QObject, public WindowFixture {
    Q_OBJECT

private:
    // What the window shows for one case: the two results, or the one message it gave.
    QStringList WindowShows(const Row& row) {
        CalculatorWindow& w =
            Open(row.at("lang") == "en" ? 1 : 0, row.at("units") == "imperial" ? 1 : 0);
        TakeMessages();

        auto choose = [](QComboBox* list, const std::string& name, const std::string& typed,
                         int fallback) {
            int index = fallback;
            if (!name.empty()) {
                index = list->findText(QString::fromStdString(name));
            } else if (!typed.empty()) {
                index = list->count() - 1; // the user entry
            }
            list->setFocus(Qt::MouseFocusReason);
            list->setCurrentIndex(index);
            return index >= 0;
        };
        const bool named =
            choose(w.SensorTypeList, row.at("sensor"), "", 0) &&
            choose(w.PipeMaterialList, row.at("pipe"), row.at("pipe_velocity"), 0) &&
            choose(w.LiningMaterialList, row.at("lining"), row.at("lining_velocity"), 0) &&
            choose(w.FluidList, row.at("fluid"), row.at("fluid_velocity"), 0);
        if (!named) {
            return {QStringLiteral("a name the window's lists lack")};
        }
        w.MountMethodList->setCurrentIndex(row.at("mount") == "Z" ? 1 : 0);

        const std::pair<QLineEdit*, const char*> fields[] = {
            {w.OuterDiameterEdit, "outer_diameter"},
            {w.PipeVelocityEdit, "pipe_velocity"},
            {w.WallEdit, "wall"},
            {w.LiningVelocityEdit, "lining_velocity"},
            {w.LiningThicknessEdit, "lining_thickness"},
            {w.FluidVelocityEdit, "fluid_velocity"}};
        for (const auto& [field, column] : fields) {
            const QString text = QString::fromStdString(row.at(column));
            if (text.isEmpty()) {
                continue;
            }
            QTest::mouseClick(field, Qt::LeftButton);
            QTest::keyClicks(field, text);
            QTest::keyClick(field, Qt::Key_Tab);
            if (MessageCount() > 0) {
                return {QString(), QString(), TakeMessages().join(QLatin1Char('|'))};
            }
        }
        QTest::mouseClick(w.ExecuteButton, Qt::LeftButton);
        const QStringList messages = TakeMessages();
        if (w.Result1Edit->text().isEmpty()) {
            return {QString(), QString(), messages.join(QLatin1Char('|'))};
        }
        // A message beside a result is the note of a spacing cut to 0, not a refusal.
        const QString note =
            Text(Catalogue::ReportText::BelowZero).section(QStringLiteral("%1"), 0, 0);
        if (messages.size() > 1 || (messages.size() == 1 && !messages.front().startsWith(note))) {
            return {QStringLiteral("a message beside a result"), messages.join(QLatin1Char('|'))};
        }
        return {w.Result1Edit->text(), w.Result2Edit->text(), QString()};
    }

private slots:
    void windowAndCommandLineAgree_data() {
        QTest::addColumn<QString>("cases");
        // Results and failures of every kind, each case with the text it must show.
        QTest::newRow("agreement") << QStringLiteral(QUILLMERE_TESTS "/agreement_cases.csv");
        QTest::newRow("refusals") << QStringLiteral(QUILLMERE_TESTS "/refusal_cases.csv");
    }
    void windowAndCommandLineAgree() {
        QFETCH(QString, cases);
        std::FILE* file = std::fopen(cases.toLocal8Bit().constData(), "rb");
        QVERIFY(file);
        const std::vector<Row> rows = ReadSheet(file);
        std::fclose(file);
        QVERIFY(rows.size() >= 20);

        // The same cases as a job sheet, without the column of expectations.
        const std::vector<std::string_view> names = Quillmere::InputColumnNames();
        std::string sheet;
        for (std::size_t c = 0; c < names.size(); ++c) {
            sheet += std::string(c > 0 ? "," : "") + std::string(names[c]);
        }
        for (const Row& row : rows) {
            sheet += "\n";
            for (std::size_t c = 0; c < names.size(); ++c) {
                const auto found = row.find(std::string(names[c]));
                const std::string value = found == row.end() ? std::string() : found->second;
                sheet += (c > 0 ? ",\"" : "\"") + value + "\"";
            }
        }
        sheet += "\n";
        QProcess calc;
        calc.start(QStringLiteral(QUILLMERE_CALC),
                   {QStringLiteral("--sheet"), QStringLiteral("-")});
        calc.write(sheet.data(), static_cast<qint64>(sheet.size()));
        calc.closeWriteChannel();
        QVERIFY(calc.waitForFinished(30000));
        const QByteArray output = calc.readAllStandardOutput();
        std::FILE* out = ::fmemopen(const_cast<char*>(output.data()),
                                    static_cast<std::size_t>(output.size()), "rb");
        const std::vector<Row> results = ReadSheet(out);
        std::fclose(out);
        QCOMPARE(results.size(), rows.size());

        int failures = 0;
        QJsonArray shown; // [result1, result2, message] a case, for the browser edition's test
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const QStringList window = WindowShows(rows[i]);
            shown.append(QJsonArray::fromStringList(window));
            const QStringList command = {QString::fromStdString(results[i].at("result1")),
                                         QString::fromStdString(results[i].at("result2")),
                                         QString::fromStdString(results[i].at("error"))};
            const auto expected = rows[i].find("expected");
            // Every case says what it must show: a fault all front ends share fails too.
            const bool asExpected =
                expected != rows[i].end() && QString::fromStdString(expected->second) ==
                                                 (window[2].isEmpty() ? window[0] : window[2]);
            if (window != command || !asExpected) {
                ++failures;
                qWarning("case %zu: window [%s], quillmere-calc [%s]", i + 2,
                         qPrintable(window.join(QStringLiteral(" | "))),
                         qPrintable(command.join(QStringLiteral(" | "))));
            }
        }
        QCOMPARE(failures, 0);
        QFile kept(QStringLiteral(QUILLMERE_WINDOW_TEXTS "/window-shows-%1.json")
                       .arg(QLatin1String(QTest::currentDataTag())));
        QVERIFY(kept.open(QIODevice::WriteOnly | QIODevice::Truncate));
        kept.write(QJsonDocument(shown).toJson());
    }
};

QTEST_MAIN(AgreementTest)
#include "agreement_test.moc"
