// A small coverage-guided mutation loop that runs a fuzz target where libFuzzer is not used (any
// compiler). It takes the libFuzzer flags the scripts use, so a target runs the same way under
// both: -max_total_time=S, -runs=N, -max_len=N, -seed=N, -timeout=S, -rss_limit_mb=N, -dict=FILE,
// -artifact_prefix=P, then seed files or folders. Given only files and no limit, it runs each file
// once (to reproduce a finding).
//
// Coverage comes from GCC's -fsanitize-coverage=trace-pc on the target and the parsers it drives:
// every basic block calls __sanitizer_cov_trace_pc below, and an input that reaches a new edge (or
// an edge a new number of times, counted in AFL's buckets) joins the corpus.

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <new>
#include <random>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" __attribute__((weak)) void __sanitizer_set_death_callback(void (*callback)(void));

namespace {

constexpr size_t kMapSize = 1 << 16;
uint8_t g_hits[kMapSize];
uint8_t g_seen[kMapSize];
uintptr_t g_previous = 0;

// The input being run, for the reports of a crash, a hang or a memory blow-up.
std::atomic<const uint8_t*> g_current{nullptr};
std::atomic<size_t> g_currentSize{0};
std::atomic<int64_t> g_runStartNs{0}; // 0 while no input runs
char g_crashPath[4096];

int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Writes the current input with plain system calls, so it also works inside a signal handler.
void saveCurrent(const char* path)
{
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const uint8_t* data = g_current.load();
    size_t left = data ? g_currentSize.load() : 0;
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written <= 0)
            break;
        data += written;
        left -= static_cast<size_t>(written);
    }
    ::close(fd);
    const char note[] = "fuzz: the input is saved as ";
    (void)!::write(2, note, sizeof note - 1);
    (void)!::write(2, path, std::strlen(path));
    (void)!::write(2, "\n", 1);
}

void onDeath()
{
    saveCurrent(g_crashPath);
}

void onSignal(int signal)
{
    saveCurrent(g_crashPath);
    std::signal(signal, SIG_DFL);
    ::raise(signal);
}

unsigned bucket(uint8_t hits)
{
    if (hits <= 3)
        return 1u << (hits - 1);
    if (hits <= 7)
        return 8;
    if (hits <= 15)
        return 16;
    if (hits <= 31)
        return 32;
    if (hits <= 127)
        return 64;
    return 128;
}

// True when the run just ended reached an edge, or an edge count bucket, not seen before.
bool takeNewCoverage()
{
    bool fresh = false;
    const auto* words = reinterpret_cast<const uint64_t*>(g_hits);
    for (size_t w = 0; w < kMapSize / 8; ++w) {
        if (!words[w])
            continue;
        for (size_t i = w * 8; i < w * 8 + 8; ++i) {
            if (!g_hits[i])
                continue;
            const auto b = static_cast<uint8_t>(bucket(g_hits[i]));
            if (!(g_seen[i] & b)) {
                g_seen[i] |= b;
                fresh = true;
            }
        }
    }
    std::memset(g_hits, 0, sizeof g_hits);
    g_previous = 0;
    return fresh;
}

size_t edgeCount()
{
    return static_cast<size_t>(std::count_if(g_seen, g_seen + kMapSize, [](uint8_t v) { return v != 0; }));
}

using Bytes = std::vector<uint8_t>;

bool readFile(const std::string& path, Bytes& out)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    out.clear();
    uint8_t buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        out.insert(out.end(), buffer, buffer + n);
    std::fclose(f);
    return true;
}

// libFuzzer's dictionary format: one "token" per line, optionally named (name="token"), with
// \\, \" and \xNN escapes; other lines are ignored.
std::vector<Bytes> readDictionary(const std::string& path)
{
    std::vector<Bytes> tokens;
    Bytes text;
    if (!readFile(path, text))
        return tokens;
    std::string all(text.begin(), text.end());
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\n', start);
        if (end == std::string::npos)
            end = all.size();
        const std::string line = all.substr(start, end - start);
        start = end + 1;
        const size_t open = line.find('"');
        const size_t close = line.rfind('"');
        if (line.empty() || line[0] == '#' || open == std::string::npos || close <= open)
            continue;
        Bytes token;
        for (size_t i = open + 1; i < close; ++i) {
            if (line[i] == '\\' && i + 1 < close) {
                if (line[i + 1] == 'x' && i + 3 < close) {
                    token.push_back(static_cast<uint8_t>(std::strtoul(line.substr(i + 2, 2).c_str(), nullptr, 16)));
                    i += 3;
                } else {
                    token.push_back(static_cast<uint8_t>(line[i + 1]));
                    ++i;
                }
            } else {
                token.push_back(static_cast<uint8_t>(line[i]));
            }
        }
        if (!token.empty())
            tokens.push_back(token);
    }
    return tokens;
}

const char* const kInterestingText[] = {
    "0",
    "-1",
    "1",
    "-0",
    "255",
    "256",
    "65535",
    "65536",
    "2147483647",
    "2147483648",
    "-2147483648",
    "4294967295",
    "4294967296",
    "9223372036854775807",
    "9223372036854775808",
    "-9223372036854775808",
    "18446744073709551615",
    "18446744073709551616",
    "1e308",
    "1e309",
    "-1e308",
    "1e-320",
    "1e90",
    "1e19",
    "nan",
    "inf",
    "-inf",
    "NaN",
    "Infinity",
    "0x7fffffff",
    "0.5",
    "1.7976931348623157e308",
    " ",
    "\n",
    "\t",
    "\r\n",
    "\"",
    "\\",
    "/",
    "*",
    ".",
    ",",
    "-",
    ":",
    "=",
    "(",
    ")",
    "[",
    "]",
    "{",
    "}",
    "<",
    ">",
    "\xef\xbb\xbf",
    "\xff",
    "\xc3\xa9",
    "\xed\xa0\x80",
    "\xf0\x9f\x98\x80",
};

const uint64_t kInterestingNumbers[] = {
    0,
    1,
    0x7f,
    0x80,
    0xff,
    0x100,
    0x7fff,
    0x8000,
    0xffff,
    0x10000,
    0x7fffffff,
    0x80000000,
    0xffffffff,
    0x100000000ull,
    0x7fffffffffffffffull,
    0x8000000000000000ull,
    0xffffffffffffffffull,
};

class Mutator {
public:
    Mutator(uint64_t seed, size_t maxLen, std::vector<Bytes> dictionary)
        : m_random(seed)
        , m_maxLen(maxLen)
        , m_dictionary(std::move(dictionary))
    {
    }

    size_t below(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }

    void mutate(Bytes& d, const std::vector<Bytes>& corpus)
    {
        const int steps = 1 << below(4);
        for (int i = 0; i < steps; ++i)
            once(d, corpus);
        if (d.size() > m_maxLen)
            d.resize(m_maxLen);
    }

private:
    void insert(Bytes& d, const uint8_t* bytes, size_t n)
    {
        const size_t at = below(d.size() + 1);
        d.insert(d.begin() + static_cast<std::ptrdiff_t>(at), bytes, bytes + n);
    }

    void overwrite(Bytes& d, const uint8_t* bytes, size_t n)
    {
        if (d.size() < n) {
            insert(d, bytes, n);
            return;
        }
        std::memcpy(d.data() + below(d.size() - n + 1), bytes, n);
    }

    void once(Bytes& d, const std::vector<Bytes>& corpus)
    {
        switch (below(13)) {
        case 0: // flip a bit
            if (!d.empty())
                d[below(d.size())] ^= static_cast<uint8_t>(1u << below(8));
            break;
        case 1: // a random byte
            if (!d.empty())
                d[below(d.size())] = static_cast<uint8_t>(below(256));
            break;
        case 2: { // insert random bytes
            uint8_t bytes[8];
            const size_t n = 1 + below(8);
            for (size_t i = 0; i < n; ++i)
                bytes[i] = static_cast<uint8_t>(below(256));
            insert(d, bytes, n);
            break;
        }
        case 3: // erase a range
            if (!d.empty()) {
                const size_t at = below(d.size());
                const size_t n = 1 + below(std::min<size_t>(d.size() - at, 64));
                d.erase(d.begin() + static_cast<std::ptrdiff_t>(at), d.begin() + static_cast<std::ptrdiff_t>(at + n));
            }
            break;
        case 4: // copy a chunk over another place
        case 5: // duplicate a chunk
            if (!d.empty()) {
                const size_t at = below(d.size());
                const size_t n = 1 + below(std::min<size_t>(d.size() - at, 128));
                const Bytes chunk(d.begin() + static_cast<std::ptrdiff_t>(at),
                                  d.begin() + static_cast<std::ptrdiff_t>(at + n));
                if (below(2))
                    overwrite(d, chunk.data(), chunk.size());
                else
                    insert(d, chunk.data(), chunk.size());
            }
            break;
        case 6: { // a number or character that parsers meet at their edges
            const char* text = kInterestingText[below(std::size(kInterestingText))];
            const auto* bytes = reinterpret_cast<const uint8_t*>(text);
            if (below(2))
                insert(d, bytes, std::strlen(text));
            else
                overwrite(d, bytes, std::strlen(text));
            break;
        }
        case 7: { // a binary integer at its edges, either byte order
            uint64_t value = kInterestingNumbers[below(std::size(kInterestingNumbers))];
            if (below(2))
                value = ~value + 1;
            const size_t width = size_t(1) << below(4);
            uint8_t bytes[8];
            const bool big = below(2);
            for (size_t i = 0; i < width; ++i)
                bytes[big ? width - 1 - i : i] = static_cast<uint8_t>(value >> (8 * i));
            overwrite(d, bytes, width);
            break;
        }
        case 8: // a token of the target's dictionary
            if (!m_dictionary.empty()) {
                const Bytes& token = m_dictionary[below(m_dictionary.size())];
                if (below(2))
                    insert(d, token.data(), token.size());
                else
                    overwrite(d, token.data(), token.size());
            }
            break;
        case 9: // splice with another input
            if (!corpus.empty()) {
                const Bytes& other = corpus[below(corpus.size())];
                if (!other.empty()) {
                    const size_t at = below(other.size());
                    const size_t n = 1 + below(other.size() - at);
                    const size_t cut = below(d.size() + 1);
                    d.resize(cut);
                    d.insert(d.end(), other.begin() + static_cast<std::ptrdiff_t>(at),
                             other.begin() + static_cast<std::ptrdiff_t>(at + n));
                }
            }
            break;
        case 10: // repeat a chunk many times (deep nesting, long runs, fan-out)
            if (!d.empty()) {
                const size_t at = below(d.size());
                const size_t n = 1 + below(std::min<size_t>(d.size() - at, 16));
                const Bytes chunk(d.begin() + static_cast<std::ptrdiff_t>(at),
                                  d.begin() + static_cast<std::ptrdiff_t>(at + n));
                const size_t times = 2 + below(256);
                Bytes repeated;
                for (size_t t = 0; t < times && repeated.size() < m_maxLen; ++t)
                    repeated.insert(repeated.end(), chunk.begin(), chunk.end());
                d.insert(d.begin() + static_cast<std::ptrdiff_t>(at), repeated.begin(), repeated.end());
            }
            break;
        case 11: // small arithmetic on a byte
            if (!d.empty()) {
                uint8_t& b = d[below(d.size())];
                b = static_cast<uint8_t>(b + (below(2) ? 1 : -1) * static_cast<int>(1 + below(16)));
            }
            break;
        default: { // change a digit, so numbers keep their shape
            std::vector<size_t> digits;
            for (size_t i = 0; i < d.size(); ++i) {
                if (d[i] >= '0' && d[i] <= '9')
                    digits.push_back(i);
            }
            if (!digits.empty())
                d[digits[below(digits.size())]] = static_cast<uint8_t>('0' + below(10));
            break;
        }
        }
    }

    std::mt19937_64 m_random;
    size_t m_maxLen;
    std::vector<Bytes> m_dictionary;
};

struct Options {
    double maxTotalTime = -1;
    long long runs = -1;
    size_t maxLen = 4096;
    uint64_t seed = 0;
    double timeout = 10;
    long long rssLimitMb = 2048;
    std::string dictionary;
    std::string artifactPrefix = "./";
    std::vector<std::string> inputs;
};

bool flag(const char* arg, const char* name, std::string& value)
{
    const size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) != 0)
        return false;
    value = arg + n;
    return true;
}

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string v;
        if (flag(argv[i], "-max_total_time=", v))
            o.maxTotalTime = std::atof(v.c_str());
        else if (flag(argv[i], "-runs=", v))
            o.runs = std::atoll(v.c_str());
        else if (flag(argv[i], "-max_len=", v))
            o.maxLen = static_cast<size_t>(std::max(1ll, std::atoll(v.c_str())));
        else if (flag(argv[i], "-seed=", v))
            o.seed = std::strtoull(v.c_str(), nullptr, 10);
        else if (flag(argv[i], "-timeout=", v))
            o.timeout = std::atof(v.c_str());
        else if (flag(argv[i], "-rss_limit_mb=", v))
            o.rssLimitMb = std::atoll(v.c_str());
        else if (flag(argv[i], "-dict=", v))
            o.dictionary = v;
        else if (flag(argv[i], "-artifact_prefix=", v))
            o.artifactPrefix = v;
        else if (argv[i][0] == '-')
            std::fprintf(stderr, "fuzz: ignoring %s\n", argv[i]);
        else
            o.inputs.push_back(argv[i]);
    }
    return o;
}

void collect(const std::string& path, std::vector<Bytes>& out)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return;
    if (S_ISREG(info.st_mode)) {
        Bytes data;
        if (readFile(path, data))
            out.push_back(std::move(data));
        return;
    }
    if (!S_ISDIR(info.st_mode))
        return;
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return;
    std::vector<std::string> names;
    while (dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            names.push_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        collect(path + "/" + name, out);
}

long long residentMb()
{
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return 0;
    long long pages = 0;
    long long resident = 0;
    const int n = std::fscanf(f, "%lld %lld", &pages, &resident);
    std::fclose(f);
    return n == 2 ? resident * ::sysconf(_SC_PAGESIZE) / (1024 * 1024) : 0;
}

// Ends the process when one input runs too long or memory grows past the limit.
void watch(const Options o)
{
    const std::string hangPath = o.artifactPrefix + "timeout-" + std::to_string(::getpid());
    const std::string memoryPath = o.artifactPrefix + "oom-" + std::to_string(::getpid());
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const int64_t started = g_runStartNs.load();
        if (started != 0 && o.timeout > 0 && double(nowNs() - started) / 1e9 > o.timeout) {
            std::fprintf(stderr, "fuzz: one input ran longer than %.0f s\n", o.timeout);
            saveCurrent(hangPath.c_str());
            std::_Exit(70);
        }
        if (o.rssLimitMb > 0) {
            const long long mb = residentMb();
            if (mb > o.rssLimitMb) {
                std::fprintf(stderr, "fuzz: memory grew to %lld MB (limit %lld MB)\n", mb, o.rssLimitMb);
                saveCurrent(memoryPath.c_str());
                std::_Exit(71);
            }
        }
    }
}

// Runs one input; false when it threw (the target catches every error it expects).
bool execute(const Bytes& input)
{
    // A copy of exactly the input's size, so a read past its end is a read past an allocation.
    const Bytes copy(input);
    g_current = copy.data();
    g_currentSize = copy.size();
    g_runStartNs = nowNs();
    try {
        LLVMFuzzerTestOneInput(copy.data(), copy.size());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "fuzz: out of memory (std::bad_alloc)\n");
        saveCurrent(g_crashPath);
        return false;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fuzz: uncaught exception: %s\n", e.what());
        saveCurrent(g_crashPath);
        return false;
    } catch (...) {
        std::fprintf(stderr, "fuzz: uncaught exception\n");
        saveCurrent(g_crashPath);
        return false;
    }
    g_runStartNs = 0;
    return true;
}

} // namespace

extern "C" void __sanitizer_cov_trace_pc()
{
    const auto pc = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
    const uintptr_t edge = (pc ^ g_previous) & (kMapSize - 1);
    g_previous = (pc >> 1) & (kMapSize - 1);
    if (g_hits[edge] != 255)
        ++g_hits[edge];
}

int main(int argc, char** argv)
{
    const Options o = parse(argc, argv);
    std::snprintf(g_crashPath, sizeof g_crashPath, "%scrash-%d", o.artifactPrefix.c_str(), int(::getpid()));
    if (__sanitizer_set_death_callback) {
        __sanitizer_set_death_callback(onDeath);
    } else {
        for (int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT})
            std::signal(signal, onSignal);
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);

    std::vector<Bytes> corpus;
    for (const std::string& input : o.inputs)
        collect(input, corpus);
    if (corpus.empty())
        corpus.push_back({});
    std::thread(watch, o).detach();

    const auto start = std::chrono::steady_clock::now();
    const auto elapsed
        = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    long long executions = 0;
    for (const Bytes& seed : corpus) {
        if (!execute(seed))
            return 1;
        takeNewCoverage();
        ++executions;
    }
    const bool reproduce = o.maxTotalTime < 0 && o.runs < 0;
    if (reproduce) {
        std::fprintf(stderr, "fuzz: ran %lld inputs\n", executions);
        return 0;
    }

    const uint64_t seed = o.seed ? o.seed : static_cast<uint64_t>(nowNs());
    Mutator mutator(seed, o.maxLen, o.dictionary.empty() ? std::vector<Bytes>{} : readDictionary(o.dictionary));
    const size_t seeds = corpus.size();
    for (;;) {
        if (o.runs >= 0 && executions >= o.runs)
            break;
        if (o.maxTotalTime >= 0 && (executions & 255) == 0 && elapsed() >= o.maxTotalTime)
            break;
        // Newer finds are mutated more often than the seeds they came from.
        const size_t pick = mutator.below(2) && corpus.size() > seeds ? seeds + mutator.below(corpus.size() - seeds)
                                                                      : mutator.below(corpus.size());
        Bytes child = corpus[pick];
        mutator.mutate(child, corpus);
        if (!execute(child))
            return 1;
        ++executions;
        if (takeNewCoverage())
            corpus.push_back(std::move(child));
    }
    const char* name = std::strrchr(argv[0], '/');
    std::fprintf(stderr, "fuzz: %s: %lld executions in %.1f s, %zu inputs kept (%zu seeds), %zu edges, seed %llu\n",
                 name ? name + 1 : argv[0], executions, elapsed(), corpus.size(), seeds, edgeCount(),
                 static_cast<unsigned long long>(seed));
    return 0;
}
