#include "domain/uLog.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string Quillbox()
{
    return "quillbox";
}
std::string Someone()
{
    return "someone";
}

// A whole exchange reply, as the client logs it.
const std::string& Reply()
{
    static const std::string Text(1 << 20, 'r');
    return Text;
}

void WriteReplies(benchmark::State& State, std::string (*User)())
{
    std::string Folder = (std::filesystem::temp_directory_path() / "tavrix-bench-XXXXXX").string();
    if (!mkdtemp(Folder.data())) {
        State.SkipWithError("no temporary folder");
        return;
    }
    TLogSources Sources;
    Sources.UserName = User;
    Sources.FileName = Folder + "/Debug.log";
    LogWriter = new TLogWriter(Sources);
    for (auto _ : State)
        WriteLog(Reply(), mtInfo, 1);
    delete LogWriter;
    LogWriter = nullptr;
    std::filesystem::remove_all(Folder);
    State.SetBytesProcessed(State.iterations() * int64_t(Reply().size()));
}

void BM_WriteLogGateClosed(benchmark::State& State)
{
    WriteReplies(State, Someone);
}
BENCHMARK(BM_WriteLogGateClosed);

// Each call copies the text into its record; the cap keeps the queue's memory bounded.
void BM_WriteLogGateOpen(benchmark::State& State)
{
    WriteReplies(State, Quillbox);
}
BENCHMARK(BM_WriteLogGateOpen)->Iterations(1000);

} // namespace
