// The personal-suggestion editor's handlers: composing a text thesis by thesis and sentence by
// sentence, choosing the pictures and sounds of the headers, and saving the text so that it
// becomes the suggestion in use.

#include "gui/editor/editor_panel.h"
#include "gui/general_page.h"
#include "gui/main_window.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/controls.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/shell.h"
#include "platform/files/atomic_file.h"
#include "platform/pictures/picture_loader.h"
#include "text/cp1251.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>
#include <optional>

using namespace mirelta;

namespace {

constexpr int kLargestPicture = 425;
constexpr int kSmallestPicture = 100;

QStringList linesOf(const QPlainTextEdit* box) {
    QStringList lines = box->toPlainText().split(QLatin1Char('\n'));
    if (lines.size() == 1 && lines[0].isEmpty()) {
        lines.clear();
    }
    return lines;
}

// The path of `file` inside `folder`, with backslashes as headers keep it; empty when the file
// lies elsewhere.
std::optional<QString> relativeTo(const QString& folder, const QString& file) {
    const QString prefix = QDir(folder).absolutePath() + QLatin1Char('/');
    const QString path = QFileInfo(file).absoluteFilePath();
    if (!path.startsWith(prefix)) {
        return std::nullopt;
    }
    return path.mid(prefix.size()).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

// Why a title cannot name a file in the Text folder, or nothing when it can.
std::optional<QString> titleProblem(const QString& title) {
    if (title.trimmed().isEmpty()) {
        return QStringLiteral("Введите заголовок настроя: под ним он будет сохранён");
    }
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    const bool control =
        std::any_of(title.begin(), title.end(), [](QChar c) { return c < QChar(32); });
    const bool reserved =
        std::any_of(title.begin(), title.end(), [](QChar c) { return forbidden.contains(c); });
    if (control || reserved || title == QStringLiteral(".") || title == QStringLiteral("..") ||
        title.size() > 120) {
        return QStringLiteral("Заголовок «%1» не может быть именем файла: уберите из него знаки "
                              "/ \\ : * ? \" < > | и сократите его до 120 знаков")
            .arg(title);
    }
    return std::nullopt;
}

} // namespace

void TMirelta::setEditorLine(int index, const QString& text) {
    QStringList lines = linesOf(Ptext->Mtext);
    // Hand edits may have removed the line: the text then goes at the end.
    if (index < 0 || index >= lines.size()) {
        lines.append(text);
        state.editLine = static_cast<int>(lines.size() - 1);
    } else {
        lines[index] = text;
    }
    Ptext->Mtext->setPlainText(lines.join(QLatin1Char('\n')));
}

QString TMirelta::editorLine(int index) const {
    const QStringList lines = linesOf(Ptext->Mtext);
    return index >= 0 && index < lines.size() ? lines[index] : QString();
}

void TMirelta::appendEditorLine(const QString& text) {
    Ptext->Mtext->appendPlainText(text);
}

void TMirelta::R5Click() {
    Ptext->show();
    Ptext->raise();
    appendEditorLine(Pnast->Rpol->itemIndex() == 0 ? QStringLiteral(">") : QStringLiteral("<"));
    appendEditorLine(QStringLiteral("@1"));
    Ptext->Enabz->setText(QStringLiteral("1"));
    Ptext->Ezag->setFocus();
    state.thesisOpen = 1;
    state.editLine = static_cast<int>(linesOf(Ptext->Mtext).size() - 1);
}

bool TMirelta::completeHeader(bool withSound) {
    QString picture;
    if (!openizFileName.isEmpty()) {
        const auto relative = relativeTo(folder.image(), openizFileName);
        if (!relative) {
            dialogs.message(QStringLiteral("Изображение должно быть в каталоге программы !"));
            return false;
        }
        picture = *relative;
    }
    QString music;
    if (withSound && !openzvFileName.isEmpty()) {
        const auto relative = relativeTo(folder.sound(), openzvFileName);
        if (!relative) {
            dialogs.message(QStringLiteral("Звук должнен быть в каталоге программы !"));
            return false;
        }
        music = *relative;
    }
    QString header = editorLine(state.editLine) + QLatin1Char('#') +
                     QString::number(Ptext->Rsvet->itemIndex()) + QLatin1Char('%') + picture +
                     QLatin1Char('$') + QString::number(Ptext->Rchast->itemIndex()) +
                     QLatin1Char('&') + Ptext->Ezadsh->text();
    if (withSound) {
        header += QLatin1Char('^') + music;
    }
    setEditorLine(state.editLine, header + QLatin1Char('@'));
    state.thesisOpen = 0;
    return true;
}

void TMirelta::BnewslovClick() {
    if (state.thesisOpen == 1 && !completeHeader(false)) {
        return;
    }
    if (Ptext->word(0).isEmpty()) {
        return;
    }
    QString sentence = Ptext->word(0);
    for (int i = 1; i < EditorPanel::kWordFields; ++i) {
        if (!Ptext->word(i).isEmpty()) {
            sentence += QLatin1Char(' ') + Ptext->word(i);
        }
    }
    appendEditorLine(sentence);
    state.editLine = static_cast<int>(linesOf(Ptext->Mtext).size() - 1);
    Ptext->clearWords();
    Ptext->Msl[0]->setFocus();
}

void TMirelta::BnabzClick() {
    if (!Ptext->word(0).isEmpty()) {
        BnewslovClick();
    }
    bool whole = false;
    const int number = Ptext->Enabz->text().trimmed().toInt(&whole);
    if (!whole) {
        dialogs.message(QStringLiteral("В поле «№» должен быть номер тезиса — целое число"));
        return;
    }
    Ptext->Enabz->setText(QString::number(number + 1));
    appendEditorLine(QLatin1Char('@') + Ptext->Enabz->text());
    state.editLine = static_cast<int>(linesOf(Ptext->Mtext).size() - 1);
    state.thesisOpen = 1;
    Ptext->Msl[0]->setFocus();
}

void TMirelta::BopClick() {
    if (state.thesisOpen == 1) {
        completeHeader(true);
    }
    Ptext->Msl[0]->setFocus();
}

void TMirelta::BizshClick() {
    const QString chosen = dialogs.openFile(folder.image(), kPictureFilter);
    if (chosen.isEmpty()) {
        return;
    }
    const LoadedPicture picture = loadPicture(chosen);
    if (!picture.ok()) {
        dialogs.message(picture.error);
        openizFileName.clear();
        return;
    }
    openizFileName = chosen;
    const QSize size = picture.image.size();
    if (size.width() > kLargestPicture || size.height() > kLargestPicture) {
        dialogs.message(QStringLiteral("Фотография слишком велика ! Загрузите другую"));
        openizFileName.clear();
    }
    if (size.width() < kSmallestPicture || size.height() < kSmallestPicture) {
        dialogs.message(QStringLiteral("Фотография слишком мала ! Загрузите другую"));
        openizFileName.clear();
    }
}

void TMirelta::BmiskClick() {
    const QString chosen = dialogs.openFile(folder.sound(), QStringLiteral("Все файлы (*)"));
    if (!chosen.isEmpty()) {
        openzvFileName = chosen;
    }
}

void TMirelta::BtextsoxClick() {
    const QString title = Ptext->Ezag->text();
    if (const auto problem = titleProblem(title)) {
        dialogs.message(*problem);
        return;
    }
    if (!QDir().mkpath(folder.text())) {
        dialogs.message(
            QStringLiteral("Не удаётся создать папку %1 для настроев").arg(folder.text()));
        return;
    }
    if (!Ptext->word(0).isEmpty()) {
        BnewslovClick();
    }
    if (Pnast->Rpol->itemIndex() == 0) {
        appendEditorLine(QStringLiteral("<"));
    }
    std::string bytes;
    for (const QString& line : linesOf(Ptext->Mtext)) {
        bytes += cp1251::fromUtf8(line.toStdString()) + "\r\n";
    }
    // A new file put in place in one step: a failure never leaves half a suggestion behind.
    const QString path = folder.personalText(title);
    if (!writeFileAtomically(path, bytes)) {
        dialogs.message(QStringLiteral("Не удаётся записать настрой в файл %1").arg(path));
        return;
    }
    QComboBox* list = Titul->Cperson;
    list->addItem(title);
    dialogs.message(QStringLiteral("Настрой ") + title + QStringLiteral(" сохранен"));
    // The new entry is chosen before personal is switched on: switching it on parses the entry
    // chosen, and the text must be parsed once, as itself (an empty list has already chosen its
    // first entry by itself, another list still names whatever it named before).
    list->setCurrentIndex(list->count() - 1);
    if (Titul->Chperson->isChecked()) {
        CpersonChange();
    } else {
        Titul->Chperson->setChecked(true);
    }
}

void TMirelta::BtexzacClick() {
    Ptext->Mtext->clear();
    Ptext->hide();
}

void TMirelta::R6Click() {
    shell.open(QUrl::fromLocalFile(folder.file(QStringLiteral("Внушения.doc"))));
}
