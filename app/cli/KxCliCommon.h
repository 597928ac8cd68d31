#pragma once
// Shared pieces of the command-line program: exit codes, usage errors and
// the small argument scanner every command uses.
#include <string>
#include <vector>

namespace KxCli {

enum Exit_Code { Exit_Ok = 0, Exit_Failure = 1, Exit_Usage = 2, Exit_Input = 3 };

/// The folder of the running executable: data/ and utils/ are looked up there.
std::string Program_Folder();

/// Prints "orvane CMD: message" and the hint to ask for help; returns Exit_Usage.
int Usage_Error(const std::string& command, const std::string& message);

/// The arguments after the command name, consumed front to back.
class KxCArgs {
public:
    explicit KxCArgs(std::vector<std::string> args) : m_Args(std::move(args)) {}
    bool Empty() const { return m_Pos >= m_Args.size(); }
    const std::string& Peek() const { return m_Args[m_Pos]; }
    std::string Next() { return m_Args[m_Pos++]; }
    /// True (and consumed) when the next argument is flag.
    bool Take(const std::string& flag);
    /// When the next argument is option, consumes it and its value into value;
    /// false when it is not. A missing value sets missing.
    bool Take_Value(const std::string& option, std::string& value, bool& missing);
    /// True when any argument is --help or -h.
    bool Wants_Help() const;

private:
    std::vector<std::string> m_Args;
    std::size_t m_Pos = 0;
};

/// A command: its name, one-line summary, full help text and entry point.
struct KxCCommand {
    const char* Name;
    const char* Summary;
    const char* Help;
    int (*Run)(KxCArgs& args);
};

int Run_Info(KxCArgs& args);
int Run_Params(KxCArgs& args);
int Run_Sampler_Report(KxCArgs& args);
int Run_Image(KxCArgs& args);
extern const char* const Info_Help;
extern const char* const Params_Help;
extern const char* const Sampler_Report_Help;
extern const char* const Image_Help;

} // namespace KxCli
