#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace numora {

// What a reply of the update server, a help link or a label may ask to open. Only web
// addresses and documents go to the desktop; a program is never started, whatever it is called.
enum class OpenOutcome {
    Opened,
    NotAllowed, // neither an http(s) address nor a document of a known kind
    NotFound,   // a document that does not exist
    Failed,     // the desktop could not open it
};

// Hands a vetted address or document to the desktop (QDesktopServices::openUrl unless replaced).
using UrlHandler = std::function<bool(const QUrl&)>;
// Replaces the desktop handler, so that tests record what would be opened; an empty handler
// puts the desktop's back.
void SetUrlHandler(UrlHandler handler);

// The address the target stands for when it may be opened, or an empty QUrl. A relative
// document name is looked up in `folder`.
QUrl DocumentUrl(const QString& target, const QString& folder, OpenOutcome* why = nullptr);

// Opens an http(s) address or an existing document with the desktop's handler. The parameters
// are accepted for the shell's "open" verb but not passed on: handing arguments to whatever the
// desktop associates with a file is what would let a reply run a command.
OpenOutcome OpenDocument(const QString& target, const QString& parameters, const QString& folder);

} // namespace numora
