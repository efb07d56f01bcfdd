#pragma once
// The text of a note as the notes box holds it. A line longer than kLongLine characters is broken
// into pieces (after a blank where one is near), so that the box lays out only the pieces it shows
// instead of the whole line at once; line ends are held as "\n". The breaks are the box's own: they
// follow the user's edits and are taken out again when the text is read back, so a note keeps its
// lines as stored. A break the user deletes is gone; one an undo brings back counts as typed.
#include <QString>
#include <vector>

class SoftBreaks {
public:
    static constexpr qsizetype kLongLine = 4000;

    // The text the box holds for `text`; the breaks it adds are remembered.
    QString hold(const QString& text);
    // Follows an edit of the held text: `removed` characters at `from` replaced by `added` ones.
    void edited(qsizetype from, qsizetype removed, qsizetype added);
    // The held text without the breaks the box added.
    QString release(const QString& held) const;
    qsizetype count() const { return qsizetype(at_.size()); }

private:
    std::vector<qsizetype> at_;   // positions of the added "\n" in the held text, ascending
};
