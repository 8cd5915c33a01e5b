#include "app/file_load_job.h"

#include <new>

namespace app {

namespace {
class KeepingReporter : public interp::Reporter {
  public:
    explicit KeepingReporter(std::vector<std::string>& out) : out_(out) {}
    void report(const std::string& text) override {
        try {
            out_.push_back(text);
        } catch (const std::bad_alloc&) {
            // A message that does not fit into memory any more is dropped.
        }
    }

  private:
    std::vector<std::string>& out_;
};
} // namespace

FileLoadJob::FileLoadJob(std::string path, const interp::LoadOptions& options, QObject* parent)
    : QObject(parent), path_(std::move(path)), options_(options),
      model_(std::make_unique<interp::DrawingModel>()) {
    options_.control = &control_;
}

FileLoadJob::~FileLoadJob() {
    cancel();
    if (worker_.joinable()) worker_.join();
}

void FileLoadJob::start() {
    worker_ = std::thread([this] { run(); });
}

void FileLoadJob::run() {
    KeepingReporter reporter(messages_);
    result_ = interp::LoadPlotFile(*model_, path_, options_, reporter);
    // Posted to this object's thread; dropped should the job be gone by then.
    QMetaObject::invokeMethod(this, &FileLoadJob::workerDone, Qt::QueuedConnection);
}

void FileLoadJob::waitUntilDone() {
    if (worker_.joinable()) worker_.join();
}

void FileLoadJob::workerDone() {
    waitUntilDone();
    finished_ = true;
    emit finished();
}

} // namespace app
