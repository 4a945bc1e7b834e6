// tavrin-cli voice and attach-voice: an entry's voice note out as a standard PCM wave file, and
// any PCM wave file in as an entry's note, compressed by the same storage code as the editor's
// recordings.

#include "cli/CommandRegistry.h"
#include "cli/Session.h"
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

int voice(Session& s, const Arguments& a) {
    const std::string& path = a.diary;
    const std::string& file = a.words[1];
    const long n = s.entryArgument(a.words[0]);
    if (!n) return kUsage;
    if (int st = s.admit(path)) return st;
    StreamReporter rep(s.err());
    const std::unique_ptr<TN> opened = s.openEntry(path, n, rep, false);
    if (!opened) return kFailed;
    TN& tn = *opened;
    if (tn.entry.voiceFlag() != 1) {
        s.err() << "tavrin-cli: entry " << n << " has no voice note\n";
        return kFailed;
    }
    std::string gsm;
    if (!tn.ReadVoice(gsm)) return kFailed; // reported
    std::vector<std::int16_t> samples;
    VoiceError error;
    if (!GsmVoice::decompress(gsm, samples, error)) {
        s.err() << "tavrin-cli: " << error.text() << '\n';
        return kFailed;
    }
    // A plaintext copy of the note: created readable by its owner only.
    if (int cause = 0;
        !PrivateFiles::write(file, WaveFile::pcm16(samples, GsmVoice::kRate), cause)) {
        s.err() << "tavrin-cli: " << file << " cannot be written: " << std::strerror(cause) << '\n';
        return kFailed;
    }
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.2f", double(samples.size()) / GsmVoice::kRate);
    s.out() << "Wrote the voice note of entry " << n << " (" << secs << " seconds) to " << file
            << ".\n";
    return kOk;
}

int attachVoice(Session& s, const Arguments& a) {
    const std::string& path = a.diary;
    const std::string& file = a.words[1];
    const long n = s.entryArgument(a.words[0]);
    if (!n) return kUsage;
    // The sound is read and converted before the diary is touched.
    std::string bytes, why;
    if (!readWhole(file, bytes, why)) {
        s.err() << "tavrin-cli: " << why << '\n';
        return kUsage;
    }
    std::vector<std::int16_t> samples;
    if (!VoiceConversion::samples(bytes, file, samples, why)) {
        s.err() << "tavrin-cli: " << why << '\n';
        return kUsage;
    }
    // The recording the storage layer compresses, as the editor leaves one.
    const std::string folder = PrivateFiles::folder(why);
    if (folder.empty()) {
        s.err() << "tavrin-cli: " << why << '\n';
        return kFailed;
    }
    PrivateFiles::removeOrphans(folder, kTempPrefix);
    const std::string temp = PrivateFiles::processTemp(folder, kTempPrefix);
    const TempRecording recording(temp);
    if (int cause = 0;
        !PrivateFiles::writeNew(temp, WaveFile::pcm16(samples, GsmVoice::kRate), cause)) {
        s.err() << "tavrin-cli: " << messages::fileError(cause, temp) << '\n';
        return kFailed;
    }
    const double seconds = double(samples.size()) / GsmVoice::kRate;
    try { // caught, so that unwinding removes the recording
        return s.writeLocked(path, [&](TN& tn) {
            tn.currentEntry = int(n - 1);
            if (!tn.ReadEntry(true)) {
                if (n > tn.entryCount)
                    s.err() << "tavrin-cli: the diary holds " << tn.entryCount << " entries\n";
                return kFailed;
            }
            tn.entry.setVoiceFlag(1);
            tn.voiceSource = temp;
            tn.voiceStored = false;
            if (!tn.AddEntrySorted(int(n - 1))) return kFailed;
            if (tn.entry.voiceFlag() != 1) return kFailed; // the compression step said why
            char secs[32];
            std::snprintf(secs, sizeof secs, "%.2f", seconds);
            s.out() << "Attached a voice note of " << secs << " seconds (" << tn.entry.voiceLength()
                    << " bytes) to entry " << n << ".\n";
            return kOk;
        });
    } catch (const std::exception& e) {
        s.err() << "tavrin-cli: " << file << " was not attached: " << e.what() << '\n';
        return kFailed;
    }
}

} // namespace

std::vector<Command> voiceCommands() {
    return {
        {"voice", {"N", "FILE.wav"}, {}, "entry N's voice note as a 16-bit PCM wave file", voice},
        {"attach-voice",
         {"N", "FILE.wav"},
         {},
         "a mono or stereo PCM wave file as entry N's voice note (resampled to 11025 Hz mono, "
         "compressed)",
         attachVoice},
    };
}

} // namespace tavrin::cli
