#include "gui/choice/suggestion_tabs.h"

#include "text/cp1251.h"
#include "text/standard_texts.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace mirelta {
namespace {

QPlainTextEdit* readOnlyText(QWidget* parent, const char* name) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    return box;
}

} // namespace

SuggestionTabs::SuggestionTabs(QWidget* generalPage, int side, QWidget* parent)
    : QTabWidget(parent) {
    setObjectName(QStringLiteral("Pagenast"));
    setGeometry(0, 0, side, side);
    generalPage->setParent(this);
    addTab(generalPage, QStringLiteral("Общее"));
    const QStringList captions = {QStringLiteral("Курение"),  QStringLiteral("Пиво"),
                                  QStringLiteral("Алкоголь"), QStringLiteral("Наркотики"),
                                  QStringLiteral("Неврозы"),  QStringLiteral("Похудение")};
    for (int item = 0; item < kStandardTextCount; ++item) {
        const std::string name(standardTextName(item));
        QPlainTextEdit* box = readOnlyText(this, name.c_str());
        box->setPlainText(QString::fromStdString(cp1251::toUtf8(standardText(item))));
        addTab(box, captions[item]);
    }
    // Three personal tabs, of which the program has only ever used the first.
    for (int page = 0; page < 3; ++page) {
        auto* tab = new QWidget(this);
        tab->setObjectName(QStringLiteral("Tperson%1").arg(page));
        auto* layout = new QVBoxLayout(tab);
        layout->setContentsMargins(0, 0, 0, 0);
        const QByteArray name = QByteArray("Mperson") + QByteArray::number(page);
        QPlainTextEdit* box = readOnlyText(tab, name.constData());
        layout->addWidget(box);
        addTab(tab, QStringLiteral("Персональный%1").arg(page));
        if (page == 0) {
            personalTab_ = tab;
            personalText_ = box;
        } else {
            setTabVisible(indexOf(tab), false);
        }
    }
}

void SuggestionTabs::showPersonal(const QString& title, const QString& text) {
    setTabText(indexOf(personalTab_), title);
    personalText_->setPlainText(text);
}

} // namespace mirelta
