#pragma once
// The texts of the information pages, one paragraph a line, kept as data built into the program.

#include <QString>
#include <QStringList>

namespace mirelta {

enum class InformationPage { About, Settings, Personal };

// The paragraphs of a page; a "\r" written in a paragraph breaks its line without ending it.
QStringList informationParagraphs(InformationPage page);

// The document that goes with a page, in the program folder.
QString informationDocument(InformationPage page);

// The local pages the links open, in the program folder's Site folder.
struct LinkPages {
    static inline const QString forum = QStringLiteral("Site/forum.html");
    static inline const QString suggestions = QStringLiteral("Site/suggestions.html");
    static inline const QString site = QStringLiteral("Site/index.html");
    static inline const QString program = QStringLiteral("Site/program.html");
    static inline const QString author = QStringLiteral("Site/author.html");
};

} // namespace mirelta
