#include "SweepCommand.h"

#include "CliError.h"
#include "CrystalList.h"
#include "ExitCode.h"
#include "InputRules.h"
#include "JsonFields.h"
#include "NumberText.h"
#include "RegisterValues.h"
#include "SweepRunner.h"

#include <chrono>
#include <thread>
#include <vector>

namespace {

// Smaller sweeps finish before a progress bar would help.
constexpr std::size_t kProgressThreshold = 5000;
constexpr std::chrono::milliseconds kProgressInterval{200};
constexpr int kProgressWidth = 40;

enum class SweepFormat { Text, Csv, Json };

// The best success of one ratio: smallest larger error, first in request
// order on a tie.
struct Best {
    std::int32_t ratio = 0;
    bool found = false;
    double xtiMHz = 0.0;
    double largerErrorPpm = 0.0;
};

struct Summary {
    std::size_t requests = 0;
    std::size_t completed = 0;
    std::size_t successes = 0;
    bool interrupted = false;
    std::vector<Best> best; // one per distinct ratio, in the order given
};

class ProgressBar {
public:
    ProgressBar(std::FILE* err, std::size_t total, bool enabled)
        : m_err(err), m_total(total), m_enabled(enabled)
    {
    }

    void Update(std::size_t done)
    {
        if (!m_enabled)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (m_shown && now - m_last < kProgressInterval && done != m_total)
            return;
        m_last = now;
        m_shown = true;
        const int filled =
            static_cast<int>(static_cast<double>(done) / static_cast<double>(m_total) * kProgressWidth);
        const std::string bar = std::string(filled, '#') + std::string(kProgressWidth - filled, ' ');
        std::fprintf(m_err, "\r[%s] %3d%% %zu/%zu", bar.c_str(), static_cast<int>(done * 100 / m_total), done,
                     m_total);
        std::fflush(m_err);
    }

    void Clear()
    {
        if (!m_shown)
            return;
        std::fprintf(m_err, "\r%*s\r", kProgressWidth + 40, "");
        std::fflush(m_err);
        m_shown = false;
    }

private:
    std::FILE* m_err;
    std::size_t m_total;
    bool m_enabled;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_last;
};

SweepFormat FormatOf(const std::string& name)
{
    if (name == "csv")
        return SweepFormat::Csv;
    if (name == "json")
        return SweepFormat::Json;
    return SweepFormat::Text;
}

CrystalSequence CrystalsOf(const SweepOptions& options)
{
    const int sources =
        (options.fromText || options.toText || options.stepText) + !!options.crystalsText + options.standard;
    if (sources != 1)
        throw UsageError(
            "give the crystals in exactly one way: --from/--to/--step, --crystals or --standard");
    if (options.crystalsText)
        return CrystalSequence::List(ReadCrystalList(*options.crystalsText));
    if (options.standard)
        return CrystalSequence::List(StandardCrystalsMHz());
    if (!options.fromText || !options.toText || !options.stepText)
        throw UsageError("a range needs all of --from, --to and --step");
    return CrystalSequence::Range(ReadNumberInput("--from", *options.fromText),
                                  ReadNumberInput("--to", *options.toText),
                                  ReadNumberInput("--step", *options.stepText));
}

std::string CsvHeader()
{
    std::string line = "xtiMHz,ratio,status";
    for (const RegisterField& field : kRegisterFields)
        line += std::string(",") + field.key;
    return line + ",largerErrorPpm\n";
}

std::string Csv(const SweepRow& row)
{
    std::string line = ShortestText(row.xtiMHz) + Printf(",%d,", row.ratio) + SweepStatusName(row.status);
    for (const RegisterField& field : kRegisterFields)
        line += HasResult(row) ? Printf(",%d", row.registers.*field.member) : ",";
    line += HasResult(row) ? "," + ShortestText(row.largerErrorPpm) : ",";
    return line + "\n";
}

const char kTextRowFormat[] = "%12s %7s  %-22s %3s %3s %3s %3s %3s %3s %3s %4s %4s %15s\n";

std::string TextHeader()
{
    return Printf(kTextRowFormat, "xtiMHz", "ratio", "status", "R07", "R06", "R11", "R80", "R81", "R82",
                  "R97", "R100", "R101", "largerErrorPpm");
}

std::string Text(const SweepRow& row)
{
    std::string r[kRegisterCount];
    for (int i = 0; i < kRegisterCount; ++i)
        r[i] = HasResult(row) ? Printf("%d", row.registers.*kRegisterFields[i].member) : "-";
    const std::string ppm = HasResult(row) ? Printf("%.6f", row.largerErrorPpm) : "-";
    return Printf(kTextRowFormat, ShortestText(row.xtiMHz).c_str(), Printf("%d", row.ratio).c_str(),
                  SweepStatusName(row.status), r[0].c_str(), r[1].c_str(), r[2].c_str(), r[3].c_str(),
                  r[4].c_str(), r[5].c_str(), r[6].c_str(), r[7].c_str(), r[8].c_str(), ppm.c_str());
}

Json RowJson(const SweepRow& row)
{
    Json json;
    json["xtiMHz"] = row.xtiMHz;
    json["ratio"] = row.ratio;
    json["status"] = SweepStatusName(row.status);
    if (HasResult(row)) {
        json["registers"] = RegistersJson(row.registers);
        json["largerErrorPpm"] = row.largerErrorPpm;
    }
    return json;
}

Json SummaryJson(const Summary& summary)
{
    Json json;
    json["requests"] = summary.requests;
    json["completed"] = summary.completed;
    json["successes"] = summary.successes;
    json["interrupted"] = summary.interrupted;
    Json best = Json::array();
    for (const Best& b : summary.best) {
        Json entry;
        entry["ratio"] = b.ratio;
        entry["xtiMHz"] = b.found ? Json(b.xtiMHz) : Json(nullptr);
        entry["largerErrorPpm"] = b.found ? Json(b.largerErrorPpm) : Json(nullptr);
        best.push_back(entry);
    }
    json["best"] = best;
    return json;
}

std::string SummaryLine(const Summary& summary)
{
    std::string line = "quorvane-cli: sweep";
    if (summary.interrupted)
        line += Printf(" interrupted after %zu of %zu requests", summary.completed, summary.requests);
    else
        line += Printf(": %zu requests", summary.requests);
    line += Printf(", %zu successes; best by error:", summary.successes);
    for (std::size_t i = 0; i < summary.best.size(); ++i) {
        const Best& b = summary.best[i];
        line += Printf("%s ratio %d ", i == 0 ? "" : ",", b.ratio);
        line += b.found ? Printf("at %s MHz (%.6f ppm)", ShortestText(b.xtiMHz).c_str(), b.largerErrorPpm)
                        : std::string("none");
    }
    return line + "\n";
}

} // namespace

int RunSweepCommand(const SweepOptions& options, const SweepConsole& console)
{
    const CrystalSequence crystals = CrystalsOf(options);
    const std::vector<std::int32_t> ratios = ReadRatioList(options.ratioText);
    std::optional<double> maxPpm;
    if (options.maxPpmText)
        maxPpm = ReadPpmLimitInput("--max-ppm", *options.maxPpmText);
    if (crystals.Size() > kMaxSweepRequests / ratios.size()) {
        throw UsageError(
            Printf("the sweep would run %zu crystals x %zu ratios; a sweep takes at most %zu requests",
                   crystals.Size(), ratios.size(), kMaxSweepRequests));
    }
    const SweepFormat format = FormatOf(options.format);
    int jobs = options.jobs;
    if (jobs <= 0)
        jobs = static_cast<int>(std::thread::hardware_concurrency());
    if (jobs <= 0)
        jobs = 1;

    Summary summary;
    summary.requests = crystals.Size() * ratios.size();
    for (const std::int32_t ratio : ratios) {
        bool known = false;
        for (const Best& b : summary.best)
            known = known || b.ratio == ratio;
        if (!known)
            summary.best.push_back(Best{ratio});
    }

    std::FILE* out = console.out;
    if (format == SweepFormat::Csv)
        std::fputs(CsvHeader().c_str(), out);
    else if (format == SweepFormat::Text)
        std::fputs(TextHeader().c_str(), out);
    else
        std::fputs("{\"rows\": [", out);

    ProgressBar progress(console.err, summary.requests,
                         console.errIsTerminal && summary.requests > kProgressThreshold);
    bool firstJsonRow = true;
    std::string buffer;
    auto consume = [&](const SweepRow* rows, std::size_t n) {
        buffer.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const SweepRow& row = rows[i];
            if (row.status == SweepStatus::Success) {
                ++summary.successes;
                for (Best& b : summary.best) {
                    if (b.ratio == row.ratio && (!b.found || row.largerErrorPpm < b.largerErrorPpm)) {
                        b.found = true;
                        b.xtiMHz = row.xtiMHz;
                        b.largerErrorPpm = row.largerErrorPpm;
                    }
                }
            }
            if (options.onlyOk && row.status != SweepStatus::Success)
                continue;
            if (format == SweepFormat::Csv) {
                buffer += Csv(row);
            } else if (format == SweepFormat::Text) {
                buffer += Text(row);
            } else {
                buffer += firstJsonRow ? "\n" : ",\n";
                buffer += RowJson(row).dump();
                firstJsonRow = false;
            }
        }
        // Whole blocks of whole rows: an interruption leaves complete lines.
        std::fwrite(buffer.data(), 1, buffer.size(), out);
        summary.completed += n;
        progress.Update(summary.completed);
    };

    const std::atomic<bool> never{false};
    const std::atomic<bool>& stop = console.stop ? *console.stop : never;
    const std::size_t perCrystal = ratios.size();
    RunInOrder(
        summary.requests, jobs,
        [&](std::size_t i) {
            return EvaluateRequest(crystals.At(i / perCrystal), ratios[i % perCrystal], maxPpm);
        },
        consume, stop);
    summary.interrupted = summary.completed < summary.requests;

    if (format == SweepFormat::Json)
        std::fprintf(out, "\n],\n\"summary\": %s}\n", SummaryJson(summary).dump().c_str());
    std::fflush(out);
    progress.Clear();
    std::fputs(SummaryLine(summary).c_str(), console.err);
    return summary.interrupted ? kExitInterrupted : kExitOk;
}
