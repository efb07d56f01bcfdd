#include "entry/KeywordTally.h"

#include "platform/core/VbError.h"
#include "platform/db/Connection.h"
#include "platform/db/RowReader.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

QString keywordOf(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

// Hash and equality over stored UTF-8 bytes, so a cell is looked up without making a string.
struct BytesHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};
struct BytesEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept { return a == b; }
};

// One exact spelling met in the keyword columns.
struct Met {
    qint64 count = 0;
    int column = 0;      // the first column holding it
    qint64 row = 0;      // the first row (in the order read) holding it in that column
};

}  // namespace

struct KeywordTally::Scan {
    QString sql;           // the next rows after a row id, at most a number of them
    int columns = 0;
    qint64 after = 0;      // the row id read last
    qint64 rows = 0;       // rows read so far
    std::unordered_map<std::string, Met, BytesHash, BytesEqual> met;
};

KeywordTally::KeywordTally() = default;

// The timer belongs to the application, which deletes it when it ends before the tally does
// (a static owner).
KeywordTally::~KeywordTally() { delete timer_.data(); }

void KeywordTally::Attach(Source source, Listener changed, Failure failed) {
    source_ = std::move(source);
    changed_ = std::move(changed);
    failed_ = std::move(failed);
}

void KeywordTally::Clear() {
    if (timer_) timer_->stop();
    spellings_.clear();
    keys_.clear();
    list_.clear();
    scan_.reset();
    following_ = false;
}

void KeywordTally::told(const std::vector<Change>* changes) const {
    if (changed_) changed_(changes);
}

void KeywordTally::Build(db::Connection& conn, const QStringList& columns) {
    begin(columns);
    try {
        read(conn, -1);
    } catch (...) {
        Clear();
        throw;
    }
    told(nullptr);
}

void KeywordTally::Start(const QStringList& columns) {
    begin(columns);
    db::Connection* conn = source_ ? source_() : nullptr;
    if (!conn) return Clear();
    bool done = false;
    try {
        done = read(*conn, kPart);
    } catch (...) {
        Clear();
        throw;
    }
    if (done) return told(nullptr);
    if (!timer_) {
        // A timer of zero interval runs once the events waiting (the paint of the owner's view
        // among them) have run.
        timer_ = new QTimer(QCoreApplication::instance());
        QObject::connect(timer_.data(), &QTimer::timeout, timer_.data(), [this] { readPart(); });
    }
    timer_->start(0);
}

void KeywordTally::readPart() {
    db::Connection* conn = source_ ? source_() : nullptr;
    if (!scan_ || !conn) return Clear();
    try {
        if (!read(*conn, kPart)) return;
        timer_->stop();
        told(nullptr);
    } catch (const vb::VbError& e) {
        Clear();
        if (failed_) failed_(e);
    }
}

void KeywordTally::Finish() {
    db::Connection* conn = source_ ? source_() : nullptr;
    if (!scan_ || !conn) return;
    if (timer_) timer_->stop();
    try {
        read(*conn, -1);
    } catch (...) {
        if (timer_) timer_->start(0);   // the count goes on from where it stopped
        throw;
    }
    told(nullptr);
}

void KeywordTally::Written(const QVariantList& removed, const QVariantList& added) {
    if (!following_) return;
    if (scan_) {
        if (db::Connection* conn = source_ ? source_() : nullptr) Build(*conn, columns_);
        return;
    }
    const std::vector<Change> changes = Apply(removed, added);
    if (!changes.empty()) told(&changes);
}

void KeywordTally::begin(const QStringList& columns) {
    Clear();
    following_ = true;
    columns_ = columns;
    if (columns.isEmpty()) return;
    QStringList names;
    for (const QString& c : columns) names << db::Connection::Bracket(c);
    scan_ = std::make_unique<Scan>();
    scan_->sql = QStringLiteral("SELECT _rowid_, ") + names.join(QStringLiteral(", ")) +
                 QStringLiteral(" FROM UserTable WHERE _rowid_ > ?1 ORDER BY _rowid_ LIMIT ?2");
    scan_->columns = int(columns.size());
}

bool KeywordTally::read(db::Connection& conn, qint64 rows) {
    if (!scan_) return true;
    Scan& scan = *scan_;
    db::RowReader reader(conn, scan.sql, {scan.after, rows});
    // Each cell costs one lookup of its bytes; strings are made only for the distinct spellings.
    qint64 read = 0;
    for (; reader.Next(); ++read, ++scan.rows) {
        scan.after = reader.Int(0);
        for (int j = 0; j < scan.columns; ++j) {
            const QByteArrayView text = reader.Utf8(j + 1);
            if (text.isEmpty()) continue;
            const std::string_view value(text.data(), size_t(text.size()));
            auto it = scan.met.find(value);
            if (it == scan.met.end()) {
                scan.met.emplace(std::string(value), Met{1, j, scan.rows});
            } else {
                ++it->second.count;
                if (j < it->second.column) it->second.column = j, it->second.row = scan.rows;
            }
        }
    }
    if (rows >= 0 && read == rows) return false;
    finish();
    return true;
}

void KeywordTally::finish() {
    const std::unique_ptr<Scan> scan = std::move(scan_);
    // The list takes the spellings column by column, each column in the order its rows were read,
    // as a scan of each column on its own would meet them.
    std::vector<std::pair<const std::string*, const Met*>> order;
    order.reserve(scan->met.size());
    for (const auto& [value, m] : scan->met) order.emplace_back(&value, &m);
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return a.second->column != b.second->column ? a.second->column < b.second->column : a.second->row < b.second->row;
    });
    spellings_.reserve(qsizetype(order.size()));
    for (const auto& [bytes, m] : order) {
        const QString value = QString::fromUtf8(bytes->data(), qsizetype(bytes->size()));
        spellings_.insert(value, m->count);
        const QString key = value.toCaseFolded();
        auto it = keys_.find(key);
        if (it == keys_.end()) {
            keys_.insert(key, Entry{value, m->count});
            list_ << value;
        } else {
            it->count += m->count;
        }
    }
}

std::vector<KeywordTally::Change> KeywordTally::Apply(const QVariantList& removed, const QVariantList& added) {
    std::vector<Change> changes;
    // Additions first: a keyword the row keeps keeps its place in the list.
    for (const QVariant& v : added)
        if (const QString value = keywordOf(v); !value.isEmpty()) add(value, changes);
    for (const QVariant& v : removed)
        if (const QString value = keywordOf(v); !value.isEmpty()) remove(value, changes);
    return changes;
}

void KeywordTally::add(const QString& value, std::vector<Change>& changes) {
    ++spellings_[value];
    const QString key = value.toCaseFolded();
    auto it = keys_.find(key);
    if (it != keys_.end()) {
        ++it->count;
        return;
    }
    keys_.insert(key, Entry{value, 1});
    list_ << value;
    changes.push_back({Change::Added, value, {}});
}

void KeywordTally::remove(const QString& value, std::vector<Change>& changes) {
    auto s = spellings_.find(value);
    if (s == spellings_.end()) return;   // not counted: the table changed behind the tally
    const bool spellingGone = --*s <= 0;
    if (spellingGone) spellings_.erase(s);
    const QString key = value.toCaseFolded();
    auto it = keys_.find(key);
    if (it == keys_.end()) return;
    const qsizetype at = list_.indexOf(it->shown);
    if (--it->count <= 0) {
        if (at >= 0) list_.removeAt(at);
        changes.push_back({Change::Removed, it->shown, {}});
        keys_.erase(it);
        return;
    }
    if (spellingGone && it->shown == value) {
        // Another spelling of the keyword is still in the table: the list shows that one.
        for (auto o = spellings_.cbegin(); o != spellings_.cend(); ++o) {
            if (o.key().toCaseFolded() != key) continue;
            it->shown = o.key();
            if (at >= 0) list_[at] = o.key();
            changes.push_back({Change::Respelled, o.key(), value});
            break;
        }
    }
}
