// SPDX-License-Identifier: MIT
// Fuzz target: a reading run and then writing runs of several records over an arbitrary
// image, every byte of which the fuzzer may change. The runs work on a file system in memory.
// Properties: nothing is ever left open or behind but the original copy of a written file,
// which holds the input; a run that does not report Modified leaves
// the file byte for byte as it was; a Modified file keeps its length, differs from the input
// only inside the 4-byte sites of the table that recognised it, and is recognised again by a
// reading run at the same revision.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "camera/camera_settings.h"
#include "fuzz_check.h"
#include "memory_file_system_ops.h"
#include "patcher/patch_run.h"
#include "patcher/table_run.h"
#include "platform/file_system_ops.h"
#include "platform/files.h"
#include "platform/scoped_file_system_ops.h"

namespace orvendel {
namespace {

const std::filesystem::path kExecutable = "/orvendel-fuzz-memory/nwmain.exe";

// Checks that every progress value lies inside the range the run announced.
class CheckingProgress final : public ProgressSink {
public:
    void setStatus(std::string_view text) override { FUZZ_CHECK(!text.empty()); }
    void setRange(double min, double max) override {
        minimum_ = min;
        maximum_ = max;
    }
    void setValue(double value) override { FUZZ_CHECK(value >= minimum_ && value <= maximum_); }

private:
    double minimum_ = 0;
    double maximum_ = 0;
};

// The bytes of [site, site + 4) for every site the table visits in the image.
std::vector<bool> siteMask(const RevisionTable& table, std::span<const std::uint8_t> image) {
    CameraState scratch;
    const TableRun run = readSites(table, image, scratch, nullptr);
    FUZZ_CHECK(run.recognised);
    std::vector<bool> mask(image.size(), false);
    for (const std::size_t site : run.sites) {
        FUZZ_CHECK(site + 4 <= image.size());
        std::fill_n(mask.begin() + static_cast<std::ptrdiff_t>(site), 4, true);
    }
    return mask;
}

// One writing run of `record` over the input, starting from `revision`, and its properties.
void checkWritingRun(MemoryFileSystemOps& files, std::span<const std::uint8_t> input,
                     const CameraSettings& record, std::int16_t revision) {
    files.put(kExecutable, input);
    CameraState state;
    state.settings = record;
    state.revision = revision;
    state.valuesChosen = true;
    CheckingProgress progress;
    const RunResult result = writeCameraValues(kExecutable, state, progress);
    FUZZ_CHECK(files.openHandles() == 0);
    // A written file leaves its original copy behind, byte for byte the input.
    const std::filesystem::path copy = originalCopyPath(kExecutable);
    if (const std::vector<std::uint8_t>* original = files.find(copy)) {
        FUZZ_CHECK(result.outcome == RunResult::Outcome::Modified);
        FUZZ_CHECK(std::equal(original->begin(), original->end(), input.begin(), input.end()));
        FUZZ_CHECK(!files.remove(copy));
    }
    FUZZ_CHECK(files.fileCount() == 1);
    const std::vector<std::uint8_t>* output = files.find(kExecutable);
    FUZZ_CHECK(output != nullptr);
    FUZZ_CHECK(result.outcome != RunResult::Outcome::Loaded);
    FUZZ_CHECK(result.outcome != RunResult::Outcome::Refused);
    if (result.outcome != RunResult::Outcome::Modified) {
        FUZZ_CHECK(std::equal(output->begin(), output->end(), input.begin(), input.end()));
        FUZZ_CHECK(result.outcome != RunResult::Outcome::FileError || input.empty());
        return;
    }
    FUZZ_CHECK(state.revision == 0 || state.revision == 1);
    FUZZ_CHECK(output->size() == input.size());
    const RevisionTable& table = state.revision == 0 ? kRevision0Table : kRevision1Table;
    const std::vector<bool> sites = siteMask(table, input);
    for (std::size_t i = 0; i < input.size(); ++i) {
        FUZZ_CHECK(sites[i] || (*output)[i] == input[i]);
    }
    // The written file reads back at the revision it was written for.
    CameraState reread;
    reread.revision = state.revision;
    CheckingProgress readProgress;
    const RunResult again = readCameraValues(kExecutable, reread, readProgress);
    FUZZ_CHECK(again.outcome == RunResult::Outcome::Loaded);
    FUZZ_CHECK(reread.revision == state.revision);
}

// A record whose float bits come from the input, NaNs and infinities included.
CameraSettings recordFromBytes(std::span<const std::uint8_t> input) {
    CameraSettings record = kBiowareDefaults;
    std::memcpy(&record, input.data(), std::min(input.size(), sizeof record));
    return record;
}

}  // namespace
}  // namespace orvendel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvendel;
    const std::span<const std::uint8_t> input(data, size);
    MemoryFileSystemOps files;
    ScopedFileSystemOps scope(files);
    files.put(kExecutable, input);

    CameraState state;
    state.settings = kBiowareDefaults;
    const CameraSettings before = state.undoSnapshot;
    CheckingProgress progress;
    const RunResult read = readCameraValues(kExecutable, state, progress);
    FUZZ_CHECK(files.openHandles() == 0);
    FUZZ_CHECK(files.fileCount() == 1);
    const std::vector<std::uint8_t>* after = files.find(kExecutable);
    FUZZ_CHECK(after && std::equal(after->begin(), after->end(), input.begin(), input.end()));
    if (read.outcome == RunResult::Outcome::FileError) {
        FUZZ_CHECK(size == 0);
        FUZZ_CHECK(read.status.find(kExecutable.string()) != std::string::npos);
        return 0;
    }
    if (read.outcome == RunResult::Outcome::Loaded) {
        FUZZ_CHECK(state.revision == 0 || state.revision == 1);
        FUZZ_CHECK(std::memcmp(&state.settings, &state.undoSnapshot, sizeof state.settings) == 0);
    } else {
        FUZZ_CHECK(read.outcome == RunResult::Outcome::UnknownVersion);
        FUZZ_CHECK(state.revision == kRevisionUnknown);
        FUZZ_CHECK(std::memcmp(&before, &state.undoSnapshot, sizeof before) == 0);
    }

    CameraSettings firstPerson = kBiowareDefaults;
    applyFirstPersonPreset(firstPerson, Camera::ChaseTopDown);
    applyFirstPersonPreset(firstPerson, Camera::Drive);
    const CameraSettings records[] = {state.settings, kBiowareDefaults, firstPerson,
                                      recordFromBytes(input)};
    for (const CameraSettings& record : records) {
        checkWritingRun(files, input, record, state.revision);
    }
    // A writing run that starts without knowing the revision must find it afresh.
    checkWritingRun(files, input, records[3], kRevisionUnknown);
    return 0;
}
