// Settings files far larger than the program's own: the settings come back from wherever their
// section stands, and closing changes nothing but the program's own lines; a file too large to
// hold is left exactly as it was.

#include "gui/widgets/controls.h"
#include "tests/support/feature_fixture.h"

#include <QLineEdit>

using namespace mirelta;
using namespace mirelta::test;

namespace {

// What the program writes: the form version and the nineteen stored settings.
const QList<QByteArray> kProgramKeys = {
    "FormVersion",      "Epov_Text",        "Mpov_Text",      "Cmatr_Checked",  "Rskor_ItemIndex",
    "Rvid_ItemIndex",   "Rgnast_ItemIndex", "Ename_Text",     "Rpol_ItemIndex", "Cslov_Checked",
    "Chperson_Checked", "Cfoto_Checked",    "Openf_FileName", "Ezad_Text",      "Cperson_Text",
    "Eslov_Text",       "Epred_Text",       "Cbuk_Checked",   "Czv_Checked",    "Cubav_Checked"};

// Other programs' sections of about `size` bytes, with every kind of line break, NUL bytes,
// Windows-1251 letters, blanks, comments, and keys of the program's names that are not its own.
QByteArray foreignSections(qsizetype size) {
    const QByteArray breaks[] = {"\r\n", "\n", "\r"};
    QByteArray bytes;
    bytes.reserve(size + 256);
    for (int i = 0; bytes.size() < size; ++i) {
        const QByteArray& lineBreak = breaks[i % 3];
        if (i % 5000 == 0) {
            bytes += "[Other" + QByteArray::number(i) + "]" + lineBreak + "Epov_Text=9" + lineBreak;
        }
        bytes += "Key" + QByteArray::number(i) + " = \xC7\xED\xE0\xF7\xE5\xED\xE8\xE5 ";
        bytes += '\0';
        bytes += QByteArray::number(i * 7919) + "  " + lineBreak;
        if (i % 777 == 0) {
            bytes += "; comment\t" + lineBreak + lineBreak;
        }
    }
    return bytes;
}

// The program's section at the end, with lines that are not the program's among its own.
const QByteArray kSection = "[TMirelta]\r\n"
                            "; kept comment\n"
                            "Epov_Text=3\r\n"
                            "Foreign_Key = keep me \r"
                            "Ename_Text=\xC8\xE2\xE0\xED\r\n"
                            "Rgnast_ItemIndex=2\n"
                            "Last_Foreign=\x01\x02\r\n";

QList<QByteArray> linesWithBreaks(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
            lines.append(bytes.mid(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < bytes.size()) {
        lines.append(bytes.mid(start));
    }
    return lines;
}

QByteArray keyOf(const QByteArray& line) {
    const qsizetype equals = line.indexOf('=');
    return equals < 0 ? QByteArray() : line.left(equals).trimmed();
}

QByteArray breakOf(const QByteArray& line) {
    return line.endsWith("\r\n") ? "\r\n" : line.right(1);
}

// The offset of the first byte where the two differ, -1 when they are the same: a failure names
// a place instead of printing megabytes.
qsizetype firstDifference(const QByteArray& a, const QByteArray& b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (a[i] != b[i]) {
            return i;
        }
    }
    return a.size() == b.size() ? -1 : common;
}

class LargeSettings : public FeatureTest {
protected:
    QLineEdit* field(const char* name) { return control<QLineEdit>(name); }
};

} // namespace

TEST_F(LargeSettings, AFiftyMegabyteFileRestoresItsSectionAndKeepsEveryOtherByte) {
    const QByteArray foreign = foreignSections(qsizetype{50} * 1024 * 1024);
    writeSettings(foreign + kSection);
    showAsTheWindowDoes();
    EXPECT_EQ(field("Epov")->text(), QStringLiteral("3"));
    EXPECT_EQ(field("Ename")->text(), QStringLiteral("Иван"));
    EXPECT_EQ(control<RadioGroup>("Rgnast")->itemIndex(), 2);
    field("Epov")->setText(QStringLiteral("1"));
    saveSettings();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();

    const QByteArray saved = settingsBytes();
    ASSERT_GE(saved.size(), foreign.size());
    EXPECT_EQ(firstDifference(saved.left(foreign.size()), foreign), -1);

    // Line for line, the section is as it was but for the program's own lines, which keep their
    // places and breaks; the keys it lacked follow its last line.
    const QList<QByteArray> before = linesWithBreaks(kSection);
    const QList<QByteArray> after = linesWithBreaks(saved.mid(foreign.size()));
    ASSERT_GE(after.size(), before.size());
    QList<QByteArray> written;
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (i < before.size() && !kProgramKeys.contains(keyOf(before[i]))) {
            EXPECT_EQ(after[i], before[i]) << "line " << i;
            continue;
        }
        if (i < before.size()) {
            EXPECT_EQ(keyOf(after[i]), keyOf(before[i])) << "line " << i;
            EXPECT_EQ(breakOf(after[i]), breakOf(before[i])) << "line " << i;
        } else {
            EXPECT_EQ(breakOf(after[i]), "\r\n") << "line " << i;
        }
        written.append(keyOf(after[i]));
    }
    for (const QByteArray& key : kProgramKeys) {
        EXPECT_EQ(written.count(key), 1) << key.toStdString();
    }
    EXPECT_EQ(written.size(), kProgramKeys.size());
    EXPECT_TRUE(after.contains("Epov_Text=1\r\n"));
    EXPECT_TRUE(after.contains("Ename_Text=\xC8\xE2\xE0\xED\r\n"));
}

TEST_F(LargeSettings, AFileTooLargeToHoldIsNeitherRestoredNorWrittenAndTheUserIsToldOnce) {
    const QByteArray original = foreignSections(qsizetype{64} * 1024 * 1024) + kSection;
    writeSettings(original);
    showAsTheWindowDoes();
    EXPECT_EQ(field("Epov")->text(), QStringLiteral("2")); // the default
    field("Epov")->setText(QStringLiteral("1"));
    showAsTheWindowDoes(); // a second showing reads the file again
    saveSettings();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(path(QStringLiteral("polufabu.ini"))));
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("не изменит")));
    EXPECT_EQ(firstDifference(settingsBytes(), original), -1);
}
