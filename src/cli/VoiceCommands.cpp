// tavrin-cli voice and attach-voice: an entry's voice note out as a standard PCM wave file, and
// any PCM wave file in as an entry's note, compressed by the same storage code as the editor's
// recordings.

#include "cli/Cli.h"
#include "cli/StreamReporter.h"
#include "cli/VoiceConversion.h"

#include "storage/DiaryFileSet.h"
#include "storage/GsmVoice.h"
#include "storage/PrivateFiles.h"
#include "storage/Reporter.h"
#include "storage/TN.h"
#include "storage/WaveFile.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace tavrin::cli {
namespace {

// Larger input is no voice note (an hour of CD-quality stereo is about 600 MB).
constexpr std::uintmax_t kMaxInput = 256u * 1024 * 1024;

bool readWhole(const std::string& path, std::string& out, std::string& why) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        why = path + " is no file";
        return false;
    }
    if (std::filesystem::file_size(path, ec) > kMaxInput) {
        why = path + " is larger than a voice note can be";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        why = path + " cannot be read";
        return false;
    }
    return true;
}

// The recording that attach-voice hands to the storage layer, a plaintext wave file in the
// user's private folder: removed when the command ends, also by Ctrl+C, a hang-up or a TERM
// signal. A run that was killed outright leaves it to the next run (removeOrphans).
constexpr const char* kTempPrefix = "TNVcli";
char g_recording[4096];
const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void removeRecordingAndDie(int sig) {
    ::unlink(g_recording);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

class TempRecording {
public:
    explicit TempRecording(const std::string& path) : path_(path) {
        if (path.size() >= sizeof g_recording) return;
        path.copy(g_recording, path.size());
        g_recording[path.size()] = '\0';
        struct sigaction sa {};
        sa.sa_handler = removeRecordingAndDie;
        sigemptyset(&sa.sa_mask);
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            ::sigaction(kSignals[i], &sa, &previous_[i]);
        installed_ = true;
    }
    ~TempRecording() {
        if (installed_)
            for (std::size_t i = 0; i < std::size(kSignals); ++i)
                ::sigaction(kSignals[i], &previous_[i], nullptr);
        g_recording[0] = '\0';
        ::unlink(path_.c_str()); // stored: the storage layer removed it already
    }
    TempRecording(const TempRecording&) = delete;
    TempRecording& operator=(const TempRecording&) = delete;

private:
    std::string path_;
    struct sigaction previous_[std::size(kSignals)]{};
    bool installed_ = false;
};

} // namespace

int Cli::voice(const std::string& path, const std::string& position, const std::string& file) {
    const long n = entryArgument(position);
    if (!n) return kUsage;
    if (int s = admit(path)) return s;
    StreamReporter rep(err_);
    const std::unique_ptr<TN> opened = openEntry(path, n, rep, false);
    if (!opened) return kFailed;
    TN& tn = *opened;
    if (tn.entry.voiceFlag() != 1) {
        err_ << "tavrin-cli: entry " << n << " has no voice note\n";
        return kFailed;
    }
    std::string gsm;
    if (!tn.ReadVoice(gsm)) return kFailed; // reported
    std::vector<std::int16_t> samples;
    VoiceError error;
    if (!GsmVoice::decompress(gsm, samples, error)) {
        err_ << "tavrin-cli: " << error.text() << '\n';
        return kFailed;
    }
    // A plaintext copy of the note: created readable by its owner only.
    if (int cause = 0;
        !PrivateFiles::write(file, WaveFile::pcm16(samples, GsmVoice::kRate), cause)) {
        err_ << "tavrin-cli: " << file << " cannot be written: " << std::strerror(cause) << '\n';
        return kFailed;
    }
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.2f", double(samples.size()) / GsmVoice::kRate);
    out_ << "Wrote the voice note of entry " << n << " (" << secs << " seconds) to " << file
         << ".\n";
    return kOk;
}

int Cli::attachVoice(const std::string& path, const std::string& position,
                     const std::string& file) {
    const long n = entryArgument(position);
    if (!n) return kUsage;
    // The sound is read and converted before the diary is touched.
    std::string bytes, why;
    if (!readWhole(file, bytes, why)) {
        err_ << "tavrin-cli: " << why << '\n';
        return kUsage;
    }
    std::vector<std::int16_t> samples;
    if (!VoiceConversion::samples(bytes, file, samples, why)) {
        err_ << "tavrin-cli: " << why << '\n';
        return kUsage;
    }
    // The recording the storage layer compresses, as the editor leaves one.
    const std::string folder = PrivateFiles::folder(why);
    if (folder.empty()) {
        err_ << "tavrin-cli: " << why << '\n';
        return kFailed;
    }
    PrivateFiles::removeOrphans(folder, kTempPrefix);
    const std::string temp = PrivateFiles::processTemp(folder, kTempPrefix);
    const TempRecording recording(temp);
    if (int cause = 0;
        !PrivateFiles::writeNew(temp, WaveFile::pcm16(samples, GsmVoice::kRate), cause)) {
        err_ << "tavrin-cli: " << messages::fileError(cause, temp) << '\n';
        return kFailed;
    }
    const double seconds = double(samples.size()) / GsmVoice::kRate;
    try { // caught, so that unwinding removes the recording
        return writeLocked(path, [&](TN& tn) {
            tn.currentEntry = int(n - 1);
            if (!tn.ReadEntry(true)) {
                if (n > tn.entryCount)
                    err_ << "tavrin-cli: the diary holds " << tn.entryCount << " entries\n";
                return kFailed;
            }
            tn.entry.setVoiceFlag(1);
            tn.voiceSource = temp;
            tn.voiceStored = false;
            if (!tn.AddEntrySorted(int(n - 1))) return kFailed;
            if (tn.entry.voiceFlag() != 1) return kFailed; // the compression step said why
            char secs[32];
            std::snprintf(secs, sizeof secs, "%.2f", seconds);
            out_ << "Attached a voice note of " << secs << " seconds (" << tn.entry.voiceLength()
                 << " bytes) to entry " << n << ".\n";
            return kOk;
        });
    } catch (const std::exception& e) {
        err_ << "tavrin-cli: " << file << " was not attached: " << e.what() << '\n';
        return kFailed;
    }
}

} // namespace tavrin::cli
