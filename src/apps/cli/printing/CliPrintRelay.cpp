// numora-cli print in a build with the desktop program: painting a PDF needs QtGui, whose loading
// alone would cost every other command tens of milliseconds and megabytes at start-up. So the
// painting lives in numora-print, installed beside numora-cli; this command checks the line with
// the shared grammar, hands the same request over, and passes on its output and exit status.
#include "apps/cli/printing/CliPrintGrammar.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <thread>
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace numora {

namespace {

#ifdef _WIN32
constexpr const char* PrinterName = "numora-print.exe";
#else
constexpr const char* PrinterName = "numora-print";
#endif

std::filesystem::path PrinterPath() {
#ifdef _WIN32
    std::wstring buffer(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    buffer.resize(n);
    return std::filesystem::path(buffer).parent_path() / PrinterName;
#else
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (ec ? std::filesystem::path() : self.parent_path()) / PrinterName;
#endif
}

// The request as numora-print reads it: the folder numora-cli settled on, so both read the same
// settings, the options as accepted, then "--" so that a system named like an option stays a name.
std::vector<std::string> PrinterArguments(const CliContext& c) {
    std::vector<std::string> words = {"--dir", c.dir, "print"};
    for (const CliOptionRule& rule : PrintOptionRules) {
        if (!c.options.has(rule.name)) continue;
        words.emplace_back(rule.name);
        if (rule.takesValue()) words.push_back(c.options.value(rule.name));
    }
    words.emplace_back("--");
    words.insert(words.end(), c.args.begin(), c.args.end());
    return words;
}

#ifdef _WIN32

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// One word of a command line as CommandLineToArgvW splits it back: quotes around it, a quote
// escaped, and the backslashes before a quote (or before the closing quote) doubled.
void AppendQuoted(std::wstring& line, const std::wstring& word) {
    line += L" \"";
    std::size_t slashes = 0;
    for (const wchar_t ch : word) {
        if (ch == L'\\') {
            ++slashes;
            continue;
        }
        line.append(ch == L'"' ? 2 * slashes + 1 : slashes, L'\\');
        slashes = 0;
        line += ch;
    }
    line.append(2 * slashes, L'\\');
    line += L'"';
}

void Drain(HANDLE from, std::ostream& to) {
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(from, buffer, sizeof buffer, &n, nullptr) && n > 0) to.write(buffer, n);
}

int RunPrinter(const std::filesystem::path& program, const std::vector<std::string>& words, const CliContext& c) {
    std::wstring line = L"\"" + program.wstring() + L"\"";
    for (const std::string& w : words) AppendQuoted(line, Wide(w));
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) || !CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        c.err << "Impossibile avviare " << PrinterName << ": il sistema non ha concesso le risorse.\n";
        return 1;
    }
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program.wstring().c_str(), line.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(errRead);
        const std::u8string name = program.u8string();
        c.err << "Impossibile avviare " << std::string(name.begin(), name.end())
              << ": la stampa richiede numora-print nella cartella di numora-cli.\n";
        return 1;
    }
    std::thread errors([&] { Drain(errRead, c.err); });
    Drain(outRead, c.out);
    errors.join();
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(outRead);
    CloseHandle(errRead);
    return static_cast<int>(code);
}

#else

int RunPrinter(const std::filesystem::path& program, const std::vector<std::string>& words, const CliContext& c) {
    int out[2] = {-1, -1}, err[2] = {-1, -1};
    if (pipe(out) != 0 || pipe(err) != 0) {
        for (int fd : {out[0], out[1], err[0], err[1]})
            if (fd >= 0) close(fd);
        c.err << "Impossibile avviare " << PrinterName << ": " << std::strerror(errno) << ".\n";
        return 1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    for (int fd : {out[0], out[1], err[0], err[1]}) posix_spawn_file_actions_addclose(&actions, fd);
    std::vector<std::string> argv0 = {program.string()};
    argv0.insert(argv0.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& w : argv0) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (spawned != 0) {
        close(out[0]);
        close(err[0]);
        c.err << "Impossibile avviare " << program.string() << ": " << std::strerror(spawned)
              << ". La stampa richiede numora-print nella cartella di numora-cli.\n";
        return 1;
    }
    // Both streams at once: a child blocked on a full pipe nobody reads would never end.
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::ostream* to[2] = {&c.out, &c.err};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                to[i]->write(buffer, n);
                to[i]->flush();
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& f : fds)
        if (f.fd >= 0) close(f.fd);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) {
            c.err << "La stampa non ha restituito il suo esito.\n";
            return 1;
        }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    c.err << "La stampa si è interrotta (segnale " << WTERMSIG(status) << ").\n";
    return 1;
}

#endif

int RelayPrint(const CliContext& c) {
    // The printer's own check, made here too so that the usage is written once, by numora-cli.
    if (c.options.value("--pdf").empty()) return 2;
    c.out.flush();
    c.err.flush();
    return RunPrinter(PrinterPath(), PrinterArguments(c), c);
}

} // namespace

CliCommand PrintCommand() {
    return PrintCommandRow("giocate su schedine o su carta comune in un PDF", RelayPrint);
}

} // namespace numora
