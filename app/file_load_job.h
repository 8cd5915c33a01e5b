#pragma once
// One drawing file read into a model of its own on a worker thread, so that the window
// thread stays free: the messages of the load are kept for the window thread, the
// progress can be watched and the load cancelled.

#include <QObject>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "interp/loader.h"

namespace app {

class FileLoadJob : public QObject {
    Q_OBJECT
  public:
    // `options.control` is replaced by the job's own.
    FileLoadJob(std::string path, const interp::LoadOptions& options, QObject* parent = nullptr);
    // Cancels a load still running and waits for its thread.
    ~FileLoadJob() override;
    FileLoadJob(const FileLoadJob&) = delete;
    FileLoadJob& operator=(const FileLoadJob&) = delete;

    // Starts the worker; `finished` follows on this object's thread.
    void start();
    // Asks the worker to stop at its next buffer; `finished` still follows.
    void cancel() { control_.cancel = true; }
    bool cancelRequested() const { return control_.cancel; }
    uint64_t bytesRead() const { return control_.bytesRead; }
    bool isFinished() const { return finished_; }
    // Blocks until the worker has ended (after cancel(): at its next buffer).
    void waitUntilDone();

    // ---- once finished ----
    const interp::LoadResult& result() const { return result_; }
    // The messages of the load in the order they were reported.
    const std::vector<std::string>& messages() const { return messages_; }
    // The drawing read (a fresh model; the part read so far when cancelled).
    interp::DrawingModel& model() { return *model_; }
    // Frees the model (after the drawing in it was swapped for the one shown).
    void discardModel() { model_.reset(); }

  signals:
    void finished();

  private:
    void run();
    void workerDone();

    std::string path_;
    interp::LoadOptions options_;
    interp::LoadControl control_;
    std::unique_ptr<interp::DrawingModel> model_;
    interp::LoadResult result_;
    std::vector<std::string> messages_;
    std::thread worker_;
    bool finished_ = false;
};

} // namespace app
