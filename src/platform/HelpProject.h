#pragma once

#include "platform/HelpFile.h"

#include <QString>

namespace numora {

// The help as Qt Help builds it: one page per topic and the project that lists the pages, the
// table of contents and the index. The build turns the project into "Numora.qch".
inline constexpr const char* HelpNamespace = "it.varnel.numora.guida";
inline constexpr const char* HelpVirtualFolder = "guida";
inline constexpr const char* HelpPagesFolder = "pagine";

// "ctx14.html" for context 14.
QString HelpPageName(int context);
// The context of a page name or address ending in "ctxN.html", 0 for any other.
int HelpPageContext(const QString& pageOrUrl);
// The page of one topic: the file's style, the topic's text, links between topics made into
// links between pages.
QString HelpTopicPage(const HelpFile& file, const HelpTopic& topic);
// The Qt Help project: every topic in file order in the contents, and in the index under its title
// (with the context's identifier "ctxN") and under each of its keywords.
QString HelpProjectXml(const HelpFile& file);
// Writes the pages into dir/pagine and the project as dir/Numora.qhp; false with a message when a
// file cannot be written.
bool WriteHelpProject(const HelpFile& file, const QString& dir, QString& message);

} // namespace numora
