#include "support/ScriptedUi.h"

#include "support/WindowHooks.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QFileInfo>
#include <QTest>

namespace {
const char* kindName(ScriptedUi::Kind k) {
    switch (k) {
    case ScriptedUi::Kind::MsgBox: return "message box";
    case ScriptedUi::Kind::InputBox: return "input box";
    case ScriptedUi::Kind::Open: return "open dialog";
    case ScriptedUi::Kind::Save: return "save dialog";
    case ScriptedUi::Kind::Color: return "colour dialog";
    case ScriptedUi::Kind::Font: return "font dialog";
    case ScriptedUi::Kind::Help: return "help";
    case ScriptedUi::Kind::Modal: return "modal window";
    }
    return "?";
}
}  // namespace

namespace {
ScriptedUi::Answer make(ScriptedUi::Kind kind, int number = 0, const QString& text = {}) {
    ScriptedUi::Answer a;
    a.kind = kind;
    a.number = number;
    a.text = text;
    return a;
}
}  // namespace

ScriptedUi::ScriptedUi() { vb::setUi(this); }
ScriptedUi::~ScriptedUi() { vb::setUi(nullptr); }

ScriptedUi& ScriptedUi::answerMsgBox(int answer) { answers_.append(make(Kind::MsgBox, answer)); return *this; }
ScriptedUi& ScriptedUi::answerInput(const QString& text) { answers_.append(make(Kind::InputBox, 0, text)); return *this; }
ScriptedUi& ScriptedUi::answerOpen(const QString& path) { answers_.append(make(Kind::Open, 0, path)); return *this; }
ScriptedUi& ScriptedUi::answerSave(const QString& path) { answers_.append(make(Kind::Save, 0, path)); return *this; }
ScriptedUi& ScriptedUi::answerColor(uint32_t winRgb) { answers_.append(make(Kind::Color, int(winRgb), "ok")); return *this; }
ScriptedUi& ScriptedUi::cancelColor() { answers_.append(make(Kind::Color)); return *this; }
ScriptedUi& ScriptedUi::answerFont(const QString& family, double size, bool bold, bool italic) {
    Answer a = make(Kind::Font, 0, family);
    a.size = size; a.bold = bold; a.italic = italic;
    answers_.append(a);
    return *this;
}
ScriptedUi& ScriptedUi::expectHelp() { answers_.append(make(Kind::Help)); return *this; }
ScriptedUi& ScriptedUi::answerModal(std::function<int(QDialog&)> user) {
    Answer a = make(Kind::Modal);
    a.user = std::move(user);
    answers_.append(a);
    return *this;
}

QStringList ScriptedUi::messages() const {
    QStringList out;
    for (const auto& r : requests) if (r.kind == Kind::MsgBox) out << r.text;
    return out;
}

QStringList ScriptedUi::titles() const {
    QStringList out;
    for (const auto& r : requests) if (r.kind == Kind::MsgBox) out << r.title;
    return out;
}

void ScriptedUi::clear() { requests.clear(); answers_.clear(); }

void ScriptedUi::opening(const Request& request) {
    if (!emulateModal) return;
    if (open_ > 0) overlapping << request.text;
    if (QGuiApplication::mouseButtons() != Qt::NoButton) duringClick << request.text;
    ++open_;
    focusBefore_.append(rvtest::windowHooks().takeFocus ? rvtest::windowHooks().takeFocus() : nullptr);
    QCoreApplication::processEvents();
}

void ScriptedUi::closing() {
    if (!emulateModal) return;
    --open_;
    QPointer<QObject> focus = focusBefore_.takeLast();
    if (rvtest::windowHooks().giveFocusBack) rvtest::windowHooks().giveFocusBack(focus);
}

bool ScriptedUi::take(Kind kind, const Request& request, Answer& out) {
    requests.append(request);
    if (answers_.isEmpty() || answers_.first().kind != kind) {
        const QString got = answers_.isEmpty() ? QStringLiteral("nothing") : kindName(answers_.first().kind);
        const QString msg = QStringLiteral("Unscripted %1 \"%2\" (%3), scripted next: %4")
                                .arg(kindName(kind), request.text, request.title, got);
        QTest::qFail(qPrintable(msg), __FILE__, __LINE__);
        return false;
    }
    out = answers_.takeFirst();
    return true;
}

int ScriptedUi::MsgBox(const QString& prompt, int style, const QString& title) {
    Answer a;
    const Request request{Kind::MsgBox, prompt, title, style, {}};
    opening(request);
    const bool answered = take(Kind::MsgBox, request, a);
    closing();
    if (!answered) {
        const int buttons = style & 7;
        return buttons == vb::vbOKOnly ? vb::vbOK : (buttons == vb::vbYesNo ? vb::vbNo : vb::vbCancel);
    }
    return a.number;
}

QString ScriptedUi::InputBox(const QString& prompt, const QString& title, const QString&) {
    Answer a;
    if (!take(Kind::InputBox, {Kind::InputBox, prompt, title, 0, {}}, a)) return {};
    return a.text;
}

bool ScriptedUi::fileAnswer(Kind kind, vb::CommonDialog& dlg) {
    Answer a;
    const Request request{kind, dlg.DialogTitle, {}, dlg.Flags, dlg};
    opening(request);
    const bool answered = take(kind, request, a);
    closing();
    if (!answered || a.text.isEmpty()) return false;
    dlg.FileName = a.text;
    dlg.FileTitle = QFileInfo(a.text).fileName();
    return true;
}

bool ScriptedUi::ShowOpen(vb::CommonDialog& dlg) { return fileAnswer(Kind::Open, dlg); }
bool ScriptedUi::ShowSave(vb::CommonDialog& dlg) { return fileAnswer(Kind::Save, dlg); }

bool ScriptedUi::ShowColor(vb::CommonDialog& dlg) {
    Answer a;
    if (!take(Kind::Color, {Kind::Color, dlg.DialogTitle, {}, dlg.Flags, dlg}, a) || a.text.isEmpty()) return false;
    dlg.Color = uint32_t(a.number);
    return true;
}

bool ScriptedUi::ShowFont(vb::CommonDialog& dlg) {
    Answer a;
    if (!take(Kind::Font, {Kind::Font, dlg.DialogTitle, {}, dlg.Flags, dlg}, a) || a.text.isEmpty()) return false;
    dlg.FontName = a.text;
    dlg.FontSize = a.size;
    dlg.FontBold = a.bold;
    dlg.FontItalic = a.italic;
    return true;
}

void ScriptedUi::ShowHelp(const vb::CommonDialog& dlg) {
    Answer a;
    take(Kind::Help, {Kind::Help, dlg.HelpFile, {}, dlg.HelpCommand, dlg}, a);
}

int ScriptedUi::RunModal(QDialog& dialog) {
    Answer a;
    const auto [className, title] =
        rvtest::windowHooks().describe ? rvtest::windowHooks().describe(dialog) : std::pair<QString, QString>();
    if (!take(Kind::Modal, {Kind::Modal, className, title, 0, {}}, a)) return 0;
    return a.user ? a.user(dialog) : 0;
}
