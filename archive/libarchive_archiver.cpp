// The archivers of this build: one per format, each a row of the table below, all reading
// through the one libarchive reader. ARJ has no reader in libarchive.

#include <archive.h>

#include "archive/archive_error.h"
#include "archive/archive_reader.h"
#include "archive/archiver.h"
#include "archive/extract_entry.h"

namespace archives {

namespace {

// How the names an archive does not mark as Unicode are decoded. ZIP members without the
// UTF-8 flag are in the system code page of the writer: Shift-JIS for the archives this
// program meets. Other formats are tried as UTF-8 first (what Unix archivers write), and in
// Shift-JIS when a name is not valid UTF-8.
enum class LegacyNames { ShiftJis, Utf8ThenShiftJis };

struct Format {
    ArchiveType type;
    const char* readerMissing; // the text raised when libarchive lacks the reader
    LegacyNames legacyNames;
    ReaderFormats readers;
};

// The tar family reads every compression its types stand for, whichever the name gave.
const ReaderFormats kTarReaders{{archive_read_support_format_tar},
                                {archive_read_support_filter_gzip,
                                 archive_read_support_filter_compress,
                                 archive_read_support_filter_bzip2}};

const Format kFormats[] = {
    {ArchiveType::Lzh,
     messages::kLhaReaderMissing,
     LegacyNames::Utf8ThenShiftJis,
     {{archive_read_support_format_lha}, {}}},
    {ArchiveType::Zip,
     messages::kZipReaderMissing,
     LegacyNames::ShiftJis,
     {{archive_read_support_format_zip}, {}}},
    {ArchiveType::Cab,
     messages::kCabReaderMissing,
     LegacyNames::Utf8ThenShiftJis,
     {{archive_read_support_format_cab}, {}}},
    {ArchiveType::Tar, messages::kTarReaderMissing, LegacyNames::Utf8ThenShiftJis, kTarReaders},
    {ArchiveType::Tgz, messages::kTarReaderMissing, LegacyNames::Utf8ThenShiftJis, kTarReaders},
    {ArchiveType::Bz2, messages::kTarReaderMissing, LegacyNames::Utf8ThenShiftJis, kTarReaders},
    {ArchiveType::Rar,
     messages::kRarReaderMissing,
     LegacyNames::Utf8ThenShiftJis,
     {{archive_read_support_format_rar, archive_read_support_format_rar5}, {}}},
};

constexpr const char* kShiftJis = "CP932"; // Shift-JIS as Windows writes it ("\" stays "\")

class LibArchiveArchiver final : public Archiver {
  public:
    explicit LibArchiveArchiver(const Format& format) : format_(format) {}

    ArchiveType type() const override { return format_.type; }

    std::vector<ArchiveEntry> list(const std::string& archivePath) override {
        std::vector<ArchiveEntry> entries;
        withEachCharset([&](const std::string& charset) {
            entries.clear();
            ReaderPass pass(format_.readers, archivePath, charset);
            ArchiveEntry entry;
            while (pass.next(entry))
                entries.push_back(entry);
        });
        return entries;
    }

    bool check(const std::string& archivePath) override {
        try {
            withEachCharset([&](const std::string& charset) {
                ReaderPass pass(format_.readers, archivePath, charset);
                ArchiveEntry entry;
                while (pass.next(entry))
                    if (entry.kind == EntryKind::File && !entry.encrypted)
                        pass.readData([](const char*, std::size_t) {});
            });
            return true;
        } catch (const ArchiverError&) {
            return false;
        }
    }

    std::string extract(const std::string& archivePath, const ArchiveEntry& entry,
                        const std::string& destFolder) override {
        checkExtractable(entry);
        std::string written;
        withEachCharset([&](const std::string& charset) {
            ReaderPass pass(format_.readers, archivePath, charset);
            ArchiveEntry header;
            while (pass.next(header)) {
                if (header.index != entry.index) continue;
                // The archive may have changed since it was listed: write only what the
                // header read now says, and only when it is still the entry chosen.
                if (header.path != entry.path)
                    throw ArchiverError(ArchiverErrorKind::Damaged,
                                        "the archive changed since it was read");
                written = writeEntry(pass, header, destFolder);
                return;
            }
            throw ArchiverError(ArchiverErrorKind::Damaged, "the entry is no longer there");
        });
        return written;
    }

  private:
    // Runs one pass with each legacy code page in turn until one reads through; remembers
    // the code page that did for the later passes. A pass failing for another reason
    // (Extraction) is not retried.
    template <typename Pass> void withEachCharset(Pass&& pass) {
        if (!charset_.empty() || format_.legacyNames == LegacyNames::ShiftJis) {
            pass(charset_.empty() ? std::string(kShiftJis) : charset_);
            return;
        }
        try {
            pass(std::string());
        } catch (const ArchiverError& e) {
            if (e.kind() != ArchiverErrorKind::Damaged) throw;
            try {
                pass(std::string(kShiftJis));
            } catch (const ArchiverError&) {
                throw e; // the first failure tells more than the second
            }
            charset_ = kShiftJis;
        }
    }

    const Format& format_;
    std::string charset_; // the code page that read through; empty until one did
};

} // namespace

std::unique_ptr<Archiver> createArchiver(ArchiveType type) {
    if (type == ArchiveType::Arj)
        throw ArchiverError(ArchiverErrorKind::UnsupportedFormat, messages::kUnsupportedFormat);
    for (const Format& format : kFormats) {
        if (format.type != type) continue;
        if (!readersAvailable(format.readers))
            throw ArchiverError(ArchiverErrorKind::ReaderMissing, format.readerMissing);
        return std::make_unique<LibArchiveArchiver>(format);
    }
    throw ArchiverError(ArchiverErrorKind::UnknownFormat, messages::kUnknownFormat);
}

} // namespace archives
