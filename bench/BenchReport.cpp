#include "BenchReport.h"

#include <fstream>
#include <thread>

namespace {

std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) >= 0x20)
            out += c;
    }
    return out + "\"";
}

} // namespace

std::string BenchReport::cpuModel() {
    std::ifstream info("/proc/cpuinfo");
    std::string line;
    while (std::getline(info, line)) {
        if (line.rfind("model name", 0) != 0)
            continue;
        size_t colon = line.find(':');
        return colon == std::string::npos ? line : line.substr(line.find_first_not_of(' ', colon + 1));
    }
    return "unknown";
}

unsigned BenchReport::coreCount() { return std::thread::hardware_concurrency(); }

void BenchReport::print(std::FILE* out) const {
    std::fprintf(out, "machine: %s, %u cores\n\n", cpuModel().c_str(), coreCount());
    std::fprintf(out, "%-10s %-12s %14s %20s %14s\n", "case", "path", "real time x", "ns/sample/voice", "peak MiB");
    for (const BenchResult& r : results_) {
        if (r.skipped || r.get("realTimeFactor") < 0.0) {
            if (r.skipped)
                std::fprintf(out, "%-10s %s\n", r.name, r.note);
            continue;
        }
        std::fprintf(out, "%-10s %-12s %14.1f %20.2f %14.1f\n", r.name, r.note, r.get("realTimeFactor"),
                     r.get("nsPerSamplePerVoice"), r.get("peakMemoryKiB") / 1024.0);
    }
    for (const BenchResult& r : results_) {
        if (r.skipped || r.get("tailNsPerBlock") < 0.0)
            continue;
        std::fprintf(out, "\ndenormals (%g s of a tail after one hit on every track, against silence):\n",
                     r.get("audioSeconds"));
        std::fprintf(out,
                     "  block processing: tail %.0f ns/block (slowest second: %.0f; the last voice fell silent "
                     "after %.1f s, from then on %.0f), silence %.0f ns/block (slowest second: %.0f)\n",
                     r.get("tailNsPerBlock"), r.get("tailWorstSecondNsPerBlock"), r.get("tailGateClosedSeconds"),
                     r.get("tailAfterGateNsPerBlock"), r.get("silenceNsPerBlock"),
                     r.get("silenceWorstSecondNsPerBlock"));
        std::fprintf(out,
                     "  voices without the gate, after 10 s: tail %.0f ns (with denormals flushed: %.0f), "
                     "silence %.0f ns per 64-sample voice block\n",
                     r.get("voiceTailNsPerVoiceBlock"), r.get("voiceTailFlushedNsPerVoiceBlock"),
                     r.get("voiceSilenceNsPerVoiceBlock"));
    }
    printEffects(out);
    printWaits(out);
}

void BenchReport::printEffects(std::FILE* out) const {
    for (const BenchResult& r : results_) {
        if (r.skipped || std::string(r.name) != "effects")
            continue;
        std::fprintf(out, "\neffects alone (x real time, one instance, 64-sample blocks):\n");
        for (size_t m = 0; m < r.metricCount; ++m)
            std::fprintf(out, "  %-22s %8.0f\n", r.metrics[m].key, r.metrics[m].value);
    }
}

void BenchReport::printWaits(std::FILE* out) const {
    for (const BenchResult& r : results_) {
        if (!r.skipped && r.get("longestHoldMs") >= 0.0)
            std::fprintf(out,
                         "\nprocess lock, longest hold by the user interface (goal < 0.2 ms): %.3f ms\n"
                         "  kit loads %.3f, setup loads %.3f, pattern loads %.3f, pastes %.3f, type switches %.3f\n",
                         r.get("longestHoldMs"), r.get("kitLoadMs"), r.get("setupLoadMs"), r.get("patternLoadMs"),
                         r.get("pasteMs"), r.get("typeSwitchMs"));
        if (!r.skipped && r.get("longestRenderWhileOpeningMs") >= 0.0)
            std::fprintf(out,
                         "\nrender calls of one instance while another opens (%.0f calls, an open takes %.1f ms):\n"
                         "  longest %.3f ms, against %.3f ms without opens\n",
                         r.get("renderCallsWhileOpening"), r.get("openMs"), r.get("longestRenderWhileOpeningMs"),
                         r.get("longestRenderOtherwiseMs"));
    }
}

bool BenchReport::writeJson(const std::string& path) const {
    std::ofstream out(path);
    if (!out)
        return false;
    out << "{\n  \"machine\": {\"cpu\": " << jsonText(cpuModel()) << ", \"cores\": " << coreCount() << "},\n";
    out << "  \"sampleRate\": 44100,\n  \"blockFrames\": 512,\n  \"cases\": [\n";
    for (size_t i = 0; i < results_.size(); ++i) {
        const BenchResult& r = results_[i];
        out << "    {\"name\": " << jsonText(r.name) << ", \"note\": " << jsonText(r.note)
            << ", \"skipped\": " << (r.skipped ? "true" : "false");
        for (size_t m = 0; m < r.metricCount; ++m) {
            char number[64];
            std::snprintf(number, sizeof number, "%.6g", r.metrics[m].value);
            out << ", " << jsonText(r.metrics[m].key) << ": " << number;
        }
        out << "}" << (i + 1 < results_.size() ? "," : "") << "\n";
    }
    out << "  ]\n}\n";
    return static_cast<bool>(out);
}
