#include "archiver.h"

#include "archive/archive_error.h"

namespace archives {

namespace {
[[noreturn]] void unsupported(const char* text) {
    throw ArchiverError(ArchiverErrorKind::UnsupportedOperation, text);
}
} // namespace

bool Archiver::check(const std::string&) {
    unsupported(messages::kNoCheck);
}

void Archiver::add(const std::string&, const std::vector<std::string>&) {
    unsupported(messages::kNoCreate);
}

void Archiver::remove(const std::string&, const std::vector<std::string>&) {
    unsupported(messages::kNoDelete);
}

void Archiver::update(const std::string&, const std::vector<std::string>&) {
    unsupported(messages::kNoUpdate);
}

void Archiver::makeSelfExtracting(const std::string&, const std::string&) {
    unsupported(messages::kNoSelfExtracting);
}

} // namespace archives
