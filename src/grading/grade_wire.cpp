#include "grade_wire.h"

#include <cstring>

namespace vokc::grading {

namespace {

class Writer {
  public:
    void U64(std::uint64_t v) {
        char bytes[8];
        for (int i = 0; i < 8; ++i)
            bytes[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        out_.append(bytes, 8);
    }
    void Str(std::string_view s) {
        U64(s.size());
        out_.append(s);
    }
    std::string Take() { return std::move(out_); }

  private:
    std::string out_;
};

class Reader {
  public:
    explicit Reader(std::string_view in) : in_(in) {}
    bool U64(std::uint64_t& v) {
        if (in_.size() < 8) return false;
        v = 0;
        for (int i = 0; i < 8; ++i)
            v |= static_cast<std::uint64_t>(static_cast<unsigned char>(in_[i])) << (8 * i);
        in_.remove_prefix(8);
        return true;
    }
    bool Str(std::string& s) {
        std::uint64_t n = 0;
        if (!U64(n) || n > in_.size()) return false;
        s.assign(in_.substr(0, n));
        in_.remove_prefix(n);
        return true;
    }
    // A count of items that each take at least `least` bytes: no larger than what is left.
    bool Count(std::uint64_t& n, std::size_t least) { return U64(n) && n <= in_.size() / least; }
    std::size_t Left() const { return in_.size(); }

  private:
    std::string_view in_;
};

constexpr std::uint64_t kProgressTag = 1;
constexpr std::uint64_t kResultsTag = 2;

} // namespace

std::string EncodeRequest(const GradeRequest& request) {
    Writer w;
    w.Str(request.folder);
    const RunSettings& s = request.settings;
    w.U64(s.maxSteps);
    w.U64(static_cast<std::uint64_t>(s.timeout.count()));
    w.U64(static_cast<unsigned char>(s.separator));
    w.U64(s.jobs);
    w.U64(s.keepOutputs ? 1 : 0);
    w.U64(request.programs.size());
    for (const Program& p : request.programs) {
        w.Str(p.file);
        w.Str(p.unreadable);
        w.U64(p.lines.size());
        for (const std::string& line : p.lines)
            w.Str(line);
    }
    return w.Take();
}

bool DecodeRequest(std::string_view bytes, GradeRequest& request) {
    Reader r(bytes);
    std::uint64_t steps = 0, timeout = 0, separator = 0, jobs = 0, keep = 0, count = 0;
    if (!r.Str(request.folder) || !r.U64(steps) || !r.U64(timeout) || !r.U64(separator) ||
        !r.U64(jobs) || !r.U64(keep) || !r.Count(count, 24))
        return false;
    if (separator > 0xFF || jobs == 0 || jobs > 4096 || timeout == 0 ||
        timeout > 24ull * 3600 * 1000)
        return false;
    RunSettings& s = request.settings;
    s.maxSteps = steps;
    s.timeout = std::chrono::milliseconds(timeout);
    s.separator = static_cast<char>(separator);
    s.jobs = static_cast<unsigned>(jobs);
    s.keepOutputs = keep != 0;
    request.programs.assign(count, Program{});
    for (Program& p : request.programs) {
        std::uint64_t lines = 0;
        if (!r.Str(p.file) || !r.Str(p.unreadable) || !r.Count(lines, 8)) return false;
        p.lines.assign(lines, std::string());
        for (std::string& line : p.lines)
            if (!r.Str(line)) return false;
    }
    return r.Left() == 0;
}

std::string EncodeProgress(std::uint64_t done, std::uint64_t total) {
    Writer body;
    body.U64(kProgressTag);
    body.U64(done);
    body.U64(total);
    Writer frame;
    frame.Str(body.Take());
    return frame.Take();
}

std::string EncodeResults(bool ok, const std::string& error,
                          const std::vector<ProgramResults>& programs) {
    Writer body;
    body.U64(kResultsTag);
    body.U64(ok ? 1 : 0);
    body.Str(error);
    body.U64(programs.size());
    for (const ProgramResults& p : programs) {
        body.Str(p.file);
        body.U64(p.runs.size());
        for (const RunResult& run : p.runs) {
            body.U64(static_cast<std::uint64_t>(run.result));
            body.U64(static_cast<std::uint64_t>(static_cast<std::int64_t>(run.line)));
            body.Str(run.detail);
            body.Str(run.output);
        }
    }
    Writer frame;
    frame.Str(body.Take());
    return frame.Take();
}

std::optional<GradeFrame> FrameReader::Next() {
    if (broken_ || buffer_.size() < 8) return std::nullopt;
    Reader head(buffer_);
    std::uint64_t size = 0;
    head.U64(size);
    if (size > buffer_.size() - 8) return std::nullopt;
    const std::string body = buffer_.substr(8, size);
    buffer_.erase(0, 8 + size);
    Reader r(body);
    GradeFrame frame;
    std::uint64_t tag = 0;
    bool good = r.U64(tag);
    if (good && tag == kProgressTag) {
        good = r.U64(frame.done) && r.U64(frame.total);
    } else if (good && tag == kResultsTag) {
        frame.kind = GradeFrame::Kind::Results;
        std::uint64_t ok = 0, count = 0;
        good = r.U64(ok) && r.Str(frame.error) && r.Count(count, 16);
        frame.ok = ok != 0;
        if (good) frame.programs.assign(count, ProgramResults{});
        for (std::size_t p = 0; good && p < frame.programs.size(); ++p) {
            ProgramResults& program = frame.programs[p];
            std::uint64_t runs = 0;
            good = r.Str(program.file) && r.Count(runs, 32);
            if (good) program.runs.assign(runs, RunResult{});
            for (std::size_t i = 0; good && i < program.runs.size(); ++i) {
                RunResult& run = program.runs[i];
                std::uint64_t result = 0, line = 0;
                good = r.U64(result) && result <= static_cast<std::uint64_t>(Result::Limit) &&
                       r.U64(line) && r.Str(run.detail) && r.Str(run.output);
                run.result = static_cast<Result>(result);
                run.line = static_cast<int>(static_cast<std::int64_t>(line));
            }
        }
    } else {
        good = false;
    }
    if (!good || r.Left() != 0) {
        broken_ = true;
        return std::nullopt;
    }
    return frame;
}

} // namespace vokc::grading
