#pragma once

#include <QString>
#include <QTemporaryDir>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <vector>

#include "camera/camera_settings.h"
#include "patcher/revision_table.h"
#include "sample_builder.h"

namespace orvendel {

// Sample game executables for the window tests, each written as <folder>/rev<N>/nwmain.exe,
// with the 0-based patch sites of its table and the field and encoding that each site holds.
class WindowTestFiles {
public:
    // One patch site: where it lies, which field it holds and whether it is stored as an angle.
    struct Site {
        std::size_t offset;
        Field field;
        bool angle;
    };

    // The samples are smaller than the game's executable so that the tests stay quick; every
    // signature and site is planted all the same.
    static constexpr std::size_t kSize = std::size_t{1} << 20;

    WindowTestFiles() {
        if (!dir_.isValid())
            throw std::runtime_error("no temporary folder");
    }

    // Path of the sample of `revision` (0 or 1), written on first use with the game's values.
    QString executable(int revision) {
        Sample& sample = sample_(revision);
        return QString::fromStdString(sample.path.string());
    }
    const std::vector<std::uint8_t>& original(int revision) { return sample_(revision).bytes; }
    const std::vector<Site>& sites(int revision) { return sample_(revision).sites; }

    // An executable that neither revision recognises.
    QString unrecognised() {
        const std::filesystem::path folder = root() / "other";
        std::filesystem::create_directories(folder);
        const std::filesystem::path path = folder / "nwmain.exe";
        std::vector<std::uint8_t> bytes(64 * 1024);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 7);
        write(path, bytes);
        return QString::fromStdString(path.string());
    }

    QString path(const char* name) const {
        return QString::fromStdString((root() / name).string());
    }

    std::filesystem::path root() const { return std::filesystem::path(dir_.path().toStdString()); }

    static std::vector<std::uint8_t> read(const QString& path) {
        std::ifstream in(path.toStdString(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + path.string());
    }

    // The four bytes a site holds for `value`: the float least significant byte first, an
    // angle as 90 minus the angle.
    static std::array<std::uint8_t, 4> encoded(float value, bool angle) {
        const float stored = angle ? 90.0f - value : value;
        const auto bits = std::bit_cast<std::uint32_t>(stored);
        return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    }

private:
    struct Sample {
        std::filesystem::path path;
        std::vector<std::uint8_t> bytes;
        std::vector<Site> sites;
    };

    Sample& sample_(int revision) {
        auto found = samples_.find(revision);
        if (found != samples_.end())
            return found->second;
        const RevisionTable& table = revision == 0 ? kRevision0Table : kRevision1Table;
        SampleBuilder builder(kSize, 7 + static_cast<std::uint64_t>(revision));
        builder.plant(table, sampleValues());
        Sample sample;
        sample.bytes = builder.build();
        std::size_t next = 0;
        for (const SignatureStep& step : table.signatures) {
            for (const SiteTransfer& transfer : step.transfers) {
                sample.sites.push_back({builder.sites().at(0).at(next++), transfer.field,
                                        transfer.kind == TransferKind::Angle});
            }
        }
        const std::filesystem::path folder = root() / ("rev" + std::to_string(revision));
        std::filesystem::create_directories(folder);
        sample.path = folder / "nwmain.exe";
        write(sample.path, sample.bytes);
        return samples_.emplace(revision, std::move(sample)).first->second;
    }

    QTemporaryDir dir_;
    std::map<int, Sample> samples_;
};

}  // namespace orvendel
