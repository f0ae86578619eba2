#include "gui/editor/suggestion_editor.h"

#include "gui/editor/editor_panel.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/shell.h"
#include "platform/files/atomic_file.h"
#include "platform/files/program_folder.h"
#include "platform/pictures/picture_loader.h"
#include "text/cp1251.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <optional>

namespace mirelta {

namespace {

constexpr int kLargestPicture = 425;
constexpr int kSmallestPicture = 100;

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

SuggestionEditor::SuggestionEditor(QWidget* page, Services services, const SettingsPanel& settings)
    : QObject(page), services_(services), settings_(settings), panel_(new EditorPanel(page)) {
    connect(panel_, &EditorPanel::nextSentenceClicked, this, &SuggestionEditor::nextSentence);
    connect(panel_, &EditorPanel::nextThesisClicked, this, &SuggestionEditor::nextThesis);
    connect(panel_, &EditorPanel::acceptClicked, this, &SuggestionEditor::acceptHeader);
    connect(panel_, &EditorPanel::pictureClicked, this, &SuggestionEditor::choosePicture);
    connect(panel_, &EditorPanel::musicClicked, this, &SuggestionEditor::chooseMusic);
    connect(panel_, &EditorPanel::saveClicked, this, &SuggestionEditor::save);
    connect(panel_, &EditorPanel::closeClicked, this, &SuggestionEditor::close);
    connect(panel_, &EditorPanel::howToClicked, this, &SuggestionEditor::showHowTo);
}

void SuggestionEditor::markLastLine() {
    headerLine_ = static_cast<int>(panel_->lines().size() - 1);
}

void SuggestionEditor::setLine(int index, const QString& text) {
    QStringList lines = panel_->lines();
    // Hand edits may have removed the line: the text then goes at the end.
    if (index < 0 || index >= lines.size()) {
        lines.append(text);
        headerLine_ = static_cast<int>(lines.size() - 1);
    } else {
        lines[index] = text;
    }
    panel_->setLines(lines);
}

QString SuggestionEditor::line(int index) const {
    const QStringList lines = panel_->lines();
    return index >= 0 && index < lines.size() ? lines[index] : QString();
}

void SuggestionEditor::appendLine(const QString& text) {
    panel_->appendLine(text);
}

void SuggestionEditor::begin() {
    panel_->show();
    panel_->raise();
    appendLine(settings_.versionItem() == 0 ? QStringLiteral(">") : QStringLiteral("<"));
    appendLine(QStringLiteral("@1"));
    panel_->setThesisNumber(1);
    panel_->focusTitle();
    headerWaiting_ = true;
    markLastLine();
}

bool SuggestionEditor::completeHeader(bool withSound) {
    QString picture;
    if (!pictureFile_.isEmpty()) {
        const auto relative = relativeTo(services_.folder.image(), pictureFile_);
        if (!relative) {
            services_.dialogs.message(
                QStringLiteral("Изображение должно быть в каталоге программы !"));
            return false;
        }
        picture = *relative;
    }
    QString music;
    if (withSound && !musicFile_.isEmpty()) {
        const auto relative = relativeTo(services_.folder.sound(), musicFile_);
        if (!relative) {
            services_.dialogs.message(QStringLiteral("Звук должнен быть в каталоге программы !"));
            return false;
        }
        music = *relative;
    }
    QString header = line(headerLine_) + QLatin1Char('#') + QString::number(panel_->colourItem()) +
                     QLatin1Char('%') + picture + QLatin1Char('$') +
                     QString::number(panel_->frequencyItem()) + QLatin1Char('&') + panel_->delay();
    if (withSound) {
        header += QLatin1Char('^') + music;
    }
    setLine(headerLine_, header + QLatin1Char('@'));
    headerWaiting_ = false;
    return true;
}

void SuggestionEditor::nextSentence() {
    if (headerWaiting_ && !completeHeader(false)) {
        return;
    }
    if (panel_->word(0).isEmpty()) {
        return;
    }
    QString sentence = panel_->word(0);
    for (int i = 1; i < EditorPanel::kWordFields; ++i) {
        if (!panel_->word(i).isEmpty()) {
            sentence += QLatin1Char(' ') + panel_->word(i);
        }
    }
    appendLine(sentence);
    markLastLine();
    panel_->clearWords();
    panel_->focusFirstWord();
}

void SuggestionEditor::nextThesis() {
    if (!panel_->word(0).isEmpty()) {
        nextSentence();
    }
    bool whole = false;
    const int number = panel_->thesisNumber().trimmed().toInt(&whole);
    if (!whole) {
        services_.dialogs.message(
            QStringLiteral("В поле «№» должен быть номер тезиса — целое число"));
        return;
    }
    panel_->setThesisNumber(number + 1);
    appendLine(QLatin1Char('@') + panel_->thesisNumber());
    markLastLine();
    headerWaiting_ = true;
    panel_->focusFirstWord();
}

void SuggestionEditor::acceptHeader() {
    if (headerWaiting_) {
        completeHeader(true);
    }
    panel_->focusFirstWord();
}

void SuggestionEditor::choosePicture() {
    const QString chosen = services_.dialogs.openFile(services_.folder.image(), kPictureFilter);
    if (chosen.isEmpty()) {
        return;
    }
    const LoadedPicture picture = loadPicture(chosen);
    if (!picture.ok()) {
        services_.dialogs.message(picture.error);
        pictureFile_.clear();
        return;
    }
    pictureFile_ = chosen;
    const QSize size = picture.image.size();
    if (size.width() > kLargestPicture || size.height() > kLargestPicture) {
        services_.dialogs.message(QStringLiteral("Фотография слишком велика ! Загрузите другую"));
        pictureFile_.clear();
    }
    if (size.width() < kSmallestPicture || size.height() < kSmallestPicture) {
        services_.dialogs.message(QStringLiteral("Фотография слишком мала ! Загрузите другую"));
        pictureFile_.clear();
    }
}

void SuggestionEditor::chooseMusic() {
    const QString chosen =
        services_.dialogs.openFile(services_.folder.sound(), QStringLiteral("Все файлы (*)"));
    if (!chosen.isEmpty()) {
        musicFile_ = chosen;
    }
}

void SuggestionEditor::save() {
    const QString title = panel_->title();
    if (const auto problem = titleProblem(title)) {
        services_.dialogs.message(*problem);
        return;
    }
    if (!QDir().mkpath(services_.folder.text())) {
        services_.dialogs.message(QStringLiteral("Не удаётся создать папку %1 для настроев")
                                      .arg(services_.folder.text()));
        return;
    }
    if (!panel_->word(0).isEmpty()) {
        nextSentence();
    }
    if (settings_.versionItem() == 0) {
        appendLine(QStringLiteral("<"));
    }
    std::string bytes;
    for (const QString& line : panel_->lines()) {
        bytes += cp1251::fromUtf8(line.toStdString()) + "\r\n";
    }
    // A new file put in place in one step: a failure never leaves half a suggestion behind.
    const QString path = services_.folder.personalText(title);
    if (!writeFileAtomically(path, bytes)) {
        services_.dialogs.message(
            QStringLiteral("Не удаётся записать настрой в файл %1").arg(path));
        return;
    }
    Q_EMIT saved(title);
}

void SuggestionEditor::close() {
    panel_->clearText();
    panel_->hide();
}

void SuggestionEditor::showHowTo() {
    services_.shell.open(
        QUrl::fromLocalFile(services_.folder.file(QStringLiteral("Внушения.doc"))));
}

} // namespace mirelta
