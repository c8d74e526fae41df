#include "domain/uHttpTransport.h"
#include "domain/uMethods.h"
#include "domain/uTradeEngine.h"

#include "../tests/support/ServerAddress.h"

#include <arpa/inet.h>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <netinet/in.h>
#include <new>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

// Every byte of this program's own allocations is counted, so that a
// benchmark can report the most it held at once.
namespace {

std::atomic<std::size_t> gLive{0};
std::atomic<std::size_t> gPeak{0};

void* Allocate(std::size_t aSize)
{
    void* Block = std::malloc(aSize + sizeof(std::max_align_t));
    if (Block == nullptr)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(Block) = aSize;
    const std::size_t Live = gLive += aSize;
    std::size_t Peak = gPeak.load();
    while (Live > Peak && !gPeak.compare_exchange_weak(Peak, Live)) {
    }
    return static_cast<char*>(Block) + sizeof(std::max_align_t);
}

void Release(void* aBlock) noexcept
{
    if (aBlock == nullptr)
        return;
    char* Block = static_cast<char*>(aBlock) - sizeof(std::max_align_t);
    gLive -= *reinterpret_cast<std::size_t*>(Block);
    std::free(Block);
}

} // namespace

void* operator new(std::size_t aSize)
{
    return Allocate(aSize);
}
void operator delete(void* aBlock) noexcept
{
    Release(aBlock);
}
void operator delete(void* aBlock, std::size_t) noexcept
{
    Release(aBlock);
}

namespace {

// The largest reply the client takes.
const std::size_t cReplyBytes = cMaxReplyBytes;

// A loopback server that answers every connection with one reply of
// cReplyBytes and closes it.
class TReplyServer {
public:
    TReplyServer()
    {
        fListen = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in Address{};
        Address.sin_family = AF_INET;
        Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t Length = sizeof Address;
        bind(fListen, reinterpret_cast<sockaddr*>(&Address), sizeof Address);
        listen(fListen, 4);
        getsockname(fListen, reinterpret_cast<sockaddr*>(&Address), &Length);
        fPort = ntohs(Address.sin_port);
        fReply = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                 std::to_string(cReplyBytes) + "\r\nConnection: close\r\n\r\n" +
                 std::string(cReplyBytes, ' ');
        fThread = std::thread([this] { Serve(); });
    }
    ~TReplyServer()
    {
        shutdown(fListen, SHUT_RDWR);
        close(fListen);
        fThread.join();
    }
    std::string URL() const { return "http://127.0.0.1:" + std::to_string(fPort); }
    int Port() const { return fPort; }

private:
    void Serve()
    {
        for (;;) {
            const int Client = accept(fListen, nullptr, nullptr);
            if (Client < 0)
                return;
            char Head[4096];
            recv(Client, Head, sizeof Head, 0);
            for (std::size_t Done = 0; Done < fReply.size();) {
                const ssize_t Sent =
                    send(Client, fReply.data() + Done, fReply.size() - Done, MSG_NOSIGNAL);
                if (Sent <= 0)
                    break;
                Done += static_cast<std::size_t>(Sent);
            }
            close(Client);
        }
    }

    int fListen = -1;
    int fPort = 0;
    std::string fReply;
    std::thread fThread;
};

TReplyServer& Server()
{
    static TReplyServer Instance;
    return Instance;
}

// A reply at the cap through the whole client, as a worker receives it:
// peak_MB is the most the exchange held at once beyond what was live
// before, to set beside reply_MB.
void BM_SendRequestLargestReply(benchmark::State& aState)
{
    TServerAddress Address(Server().URL());
    std::size_t Peak = 0;
    for (auto _ : aState) {
        const std::size_t Before = gLive.load();
        gPeak.store(Before);
        std::string Response;
        std::string Error;
        SendRequest(std::make_unique<TDMethodTicker24hr>(), nullptr, "", Response, Error);
        Peak = std::max(Peak, gPeak.load() - Before);
        if (Response.size() != cReplyBytes)
            aState.SkipWithError("the reply did not arrive whole");
    }
    aState.SetBytesProcessed(static_cast<int64_t>(aState.iterations() * cReplyBytes));
    aState.counters["reply_MB"] = static_cast<double>(cReplyBytes) / (1 << 20);
    aState.counters["peak_MB"] = static_cast<double>(Peak) / (1 << 20);
}
BENCHMARK(BM_SendRequestLargestReply)->Unit(benchmark::kMillisecond);

// The floor: the same reply read from a plain socket into a buffer made
// ready beforehand.
void BM_SendRequestLargestReplyFloor(benchmark::State& aState)
{
    std::string Buffer(cReplyBytes + 4096, '\0');
    for (auto _ : aState) {
        const int Socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in Address{};
        Address.sin_family = AF_INET;
        Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        Address.sin_port = htons(static_cast<uint16_t>(Server().Port()));
        connect(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof Address);
        send(Socket, "GET / HTTP/1.1\r\n\r\n", 18, MSG_NOSIGNAL);
        std::size_t Got = 0;
        while (Got < Buffer.size()) {
            const ssize_t Read = recv(Socket, Buffer.data() + Got, Buffer.size() - Got, 0);
            if (Read <= 0)
                break;
            Got += static_cast<std::size_t>(Read);
        }
        close(Socket);
        benchmark::DoNotOptimize(Got);
    }
    aState.SetBytesProcessed(static_cast<int64_t>(aState.iterations() * cReplyBytes));
}
BENCHMARK(BM_SendRequestLargestReplyFloor)->Unit(benchmark::kMillisecond);

} // namespace
