#include "core/SystemFile.h"

#include "core/FileIo.h"
#include "core/StakeRule.h"

#include <array>
#include <cmath>
#include <cstring>

namespace numora {

namespace {

constexpr std::size_t MaxImageSize = lpc::PlaysOffset + Play::Size * static_cast<std::size_t>(PlayList::Capacity);

void PutProbabilities(std::string& out, const std::array<double, 90>& p) {
    for (double v : p) PutF64(out, v);
}

// Consumes the image front to back; every take() checks the remaining size first.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    const unsigned char* take(std::size_t n) {
        if (bytes_.size() - pos_ < n) return nullptr;
        auto* p = reinterpret_cast<const unsigned char*>(bytes_.data()) + pos_;
        pos_ += n;
        return p;
    }
    std::size_t remaining() const { return bytes_.size() - pos_; }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

bool TakeProbabilities(Reader& in, std::array<double, 90>& out) {
    const unsigned char* p = in.take(lpc::ProbabilitiesSize);
    if (p == nullptr) return false;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = GetF64(p + 8 * i);
    return true;
}

// The wheel mask bits a play may carry: the eleven wheels and "Tutte".
constexpr std::uint16_t WheelMaskBits = 0x0FFF;

// A play the program could have written: numbers 0..90 with no number twice, no wheel bit
// beyond "Tutte", every stake and the play's total finite, not negative and within MaxPlayAmount.
bool SoundPlay(const Play& play) {
    std::array<bool, 91> seen{};
    for (auto n : play.numbers) {
        if (n > 90) return false;
        if (n == 0) continue;
        if (seen[n]) return false;
        seen[n] = true;
    }
    if ((play.wheels & ~WheelMaskBits) != 0) return false;
    double total = 0;
    for (double s : play.stakes) {
        if (!std::isfinite(s) || s < 0 || s > MaxPlayAmount) return false;
        total += s;
    }
    return total <= MaxPlayAmount;
}

} // namespace

std::string UndoQuestion(int count, int undoCount) {
    return "Sostituire le attuali " + std::to_string(count) + " giocate con le " + std::to_string(undoCount) +
           " vecchie giocate ?";
}

std::string SystemWindowTitle(const std::string& path) {
    return "Numora - [" + FileNameOf(path) + "]";
}

std::string SaveMenuCaption(const std::string& path) {
    return "Salva " + FileNameOf(path);
}

std::string DefaultSystemPath(const std::string& appDir) {
    for (int n = 1; n <= 100; ++n) {
        std::string candidate = appDir + "Sistema" + std::to_string(n) + SystemFileExtension;
        if (!FileExists(candidate)) return candidate;
    }
    return appDir + "Sistema101" + SystemFileExtension;
}

void NewSystem(PlaySystem& system) {
    system.list.zeroAll();
    system.forecast.clear();
}

std::string SystemFileImage(const PlaySystem& system) {
    const int n = system.list.count();
    std::string out;
    out.reserve(lpc::PlaysOffset + Play::Size * static_cast<std::size_t>(n));
    out.push_back(static_cast<char>(lpc::CurrentFormat));
    PutProbabilities(out, system.customProbabilities);
    PutProbabilities(out, system.customProbabilities);
    for (auto c : system.forecast.chosen) out.push_back(c != 0 ? 1 : 0);
    for (auto f : system.forecast.fixed) out.push_back(static_cast<char>(f));
    PutI32(out, system.forecast.fixedCount);
    PutProbabilities(out, system.customProbabilities);
    PutI32(out, n);
    std::uint8_t buf[Play::Size];
    for (int i = 1; i <= n; ++i) {
        system.list.play(i).toBytes(buf);
        out.append(reinterpret_cast<const char*>(buf), Play::Size);
    }
    return out;
}

bool SaveSystem(const std::string& path, const PlaySystem& system, std::string* why) {
    return WriteFileAtomically(path, SystemFileImage(system), why);
}

LoadSystemResult LoadSystem(const std::string& path, PlaySystem& system) {
    // Nothing past the largest valid file is ever needed: later bytes are ignored.
    auto bytes = ReadFileBytes(path, MaxImageSize);
    if (!bytes) return LoadSystemResult::CannotOpen;
    return LoadSystemImage(*bytes, system);
}

LoadSystemResult LoadSystemImage(std::string_view bytes, PlaySystem& system) {
    Reader in(bytes);
    auto corrupt = [&system] {
        system.list.clear();
        return LoadSystemResult::Corrupt;
    };

    const unsigned char* format = in.take(1);
    if (format == nullptr) return corrupt();
    if (*format > lpc::CurrentFormat) return LoadSystemResult::Incompatible;

    std::array<double, 90> probabilities{};
    if (*format == lpc::CurrentFormat) {
        // Two early copies, both overwritten by the third; kept when the file ends before it.
        for (int copy = 0; copy < 2; ++copy) {
            if (!TakeProbabilities(in, probabilities)) return corrupt();
            system.customProbabilities = probabilities;
        }
    }

    const unsigned char* flags = in.take(90);
    if (flags == nullptr) return corrupt();
    for (std::size_t i = 0; i < 90; ++i) system.forecast.chosen[i] = flags[i] == 1 ? 1 : 0;

    const unsigned char* fixed = in.take(lpc::MaxFixed + 4);
    if (fixed == nullptr) return corrupt();
    const std::int32_t fixedCount = GetI32(fixed + lpc::MaxFixed);
    if (fixedCount < 0 || fixedCount > lpc::MaxFixed) return corrupt();
    std::array<bool, 91> fixedSeen{};
    for (std::int32_t k = 0; k < fixedCount; ++k) {
        if (fixed[k] < 1 || fixed[k] > 90 || fixedSeen[fixed[k]]) return corrupt();
        fixedSeen[fixed[k]] = true;
    }
    for (std::size_t k = 0; k < system.forecast.fixed.size(); ++k)
        system.forecast.fixed[k] = static_cast<std::int32_t>(k) < fixedCount ? fixed[k] : 0;
    system.forecast.fixedCount = fixedCount;

    if (!TakeProbabilities(in, probabilities)) return corrupt();
    system.customProbabilities = probabilities;

    const unsigned char* countBytes = in.take(4);
    if (countBytes == nullptr) return corrupt();
    const std::int32_t n = GetI32(countBytes);
    if (n < 0 || n > PlayList::Capacity) return corrupt();
    const std::size_t playBytes = Play::Size * static_cast<std::size_t>(n);
    if (in.remaining() < playBytes) return corrupt();
    const unsigned char* plays = in.take(playBytes);

    // Check every play before the list is touched, so a refused file leaves no play of its own.
    for (std::int32_t i = 0; i < n; ++i)
        if (!SoundPlay(Play::fromBytes(plays + Play::Size * static_cast<std::size_t>(i)))) return corrupt();
    for (std::int32_t i = 0; i < n; ++i)
        system.list.play(i + 1) = Play::fromBytes(plays + Play::Size * static_cast<std::size_t>(i));
    system.list.setCount(n);
    return LoadSystemResult::Ok;
}

} // namespace numora
