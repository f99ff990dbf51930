#pragma once

#include <QString>

#include <deque>
#include <string>
#include <vector>

class QWidget;

namespace numora {

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// One box as it was asked for: the text as the caller gave it, "\r" included.
struct ShownMessage {
    QString caption;
    QString text;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer defaultAnswer = MsgAnswer::Ok;
};

// Every modal message of the program goes through here, so that window tests can answer
// the boxes and read what was said without a real box ever appearing.
class MessageBox {
public:
    // Caption "Errore" unless another is given; error icon.
    static void error(QWidget* parent, const QString& text, const QString& caption = QString());
    static void error(QWidget* parent, const std::string& text, const QString& caption = QString());
    // Caption "Attenzione" unless another is given; warning icon.
    static void warning(QWidget* parent, const QString& text, const QString& caption = QString());
    // Caption "Numora" unless another is given; information icon.
    static void information(QWidget* parent, const QString& text, const QString& caption = QString());
    // Caption "Attenzione" unless another is given. Escape answers No (YesNo) or Cancel (YesNoCancel).
    static MsgAnswer question(QWidget* parent, const QString& text, MsgButtons buttons = MsgButtons::YesNo,
                              MsgAnswer defaultAnswer = MsgAnswer::Yes, MsgIcon icon = MsgIcon::Question,
                              const QString& caption = QString());
    // The general form the others use.
    static MsgAnswer show(QWidget* parent, const QString& caption, const QString& text, MsgIcon icon,
                          MsgButtons buttons, MsgAnswer defaultAnswer);

    // The text as the box shows it: "\r\n" and a lone "\r" become line breaks.
    static QString displayText(const QString& text);
};

// While an object of this class lives, no box appears: each box is recorded and answered with
// the next queued answer, or with its default answer when the queue is empty. Only one hook
// may live at a time.
class MessageBoxHook {
public:
    MessageBoxHook();
    ~MessageBoxHook();
    MessageBoxHook(const MessageBoxHook&) = delete;
    MessageBoxHook& operator=(const MessageBoxHook&) = delete;

    void queueAnswer(MsgAnswer answer) { answers_.push_back(answer); }
    const std::vector<ShownMessage>& shown() const { return shown_; }
    // The last box shown; a default ShownMessage when there was none.
    ShownMessage last() const { return shown_.empty() ? ShownMessage{} : shown_.back(); }
    int count() const { return static_cast<int>(shown_.size()); }
    void clear() {
        shown_.clear();
        answers_.clear();
    }
    int pendingAnswers() const { return static_cast<int>(answers_.size()); }

private:
    friend class MessageBox;
    MsgAnswer answer(const ShownMessage& message);

    std::deque<MsgAnswer> answers_;
    std::vector<ShownMessage> shown_;
};

} // namespace numora
