#pragma once
// Keeps the journal file in step with the work in progress. Changes are only noted; once a
// burst of changes is over the current arrangement is taken and written on a writer thread of
// its own (the platform's durable whole-file replacement), so the window never waits for the
// disk. An arrangement without pages is not worth restoring: the journal is removed instead.
#include "app/journal/WorkArrangement.h"

#include <QByteArray>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <optional>

namespace quillora::journal {

class WorkJournal : public QObject {
    Q_OBJECT
public:
    using Snapshot = std::function<WorkArrangement()>;

    // `snapshot` is called on this object's thread whenever the arrangement is to be written.
    WorkJournal(std::filesystem::path file, Snapshot snapshot, int delayMs = 300, QObject* parent = nullptr);
    // Waits for the writes already handed to the writer thread; takes no new snapshot.
    ~WorkJournal() override;

    const std::filesystem::path& file() const { return file_; }

    // The arrangement changed: it is written when no change came for the delay.
    void changed();
    // Writes the current arrangement now (if it differs from the last one written) and waits.
    void flush();

signals:
    // A write or removal failed; the journal keeps trying on the next change.
    void writeFailed(const QString& message);

private:
    void writeSnapshot();
    void queue(std::optional<QByteArray> content); // nullopt removes the file

    std::filesystem::path file_;
    Snapshot snapshot_;
    QTimer timer_;
    QThreadPool writer_;
    bool queuedAny_ = false;
    std::optional<QByteArray> queued_; // what the last queued task leaves on disk
};

} // namespace quillora::journal
