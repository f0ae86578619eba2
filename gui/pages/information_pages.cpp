#include "gui/pages/information_pages.h"

#include <QFile>

namespace mirelta {

QStringList informationParagraphs(InformationPage page) {
    const char* names[] = {"page_a", "page_b", "page_c"};
    QFile file(QStringLiteral(":/info/%1.txt").arg(QLatin1String(names[static_cast<int>(page)])));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList paragraphs = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!paragraphs.isEmpty() && paragraphs.last().isEmpty()) {
        paragraphs.removeLast();
    }
    for (QString& paragraph : paragraphs) {
        paragraph.replace(QStringLiteral("\\r"), QString(QChar::LineSeparator));
    }
    return paragraphs;
}

QString informationDocument(InformationPage page) {
    return page == InformationPage::Personal ? QStringLiteral("Внушения.doc")
                                             : QStringLiteral("О программе.doc");
}

} // namespace mirelta
