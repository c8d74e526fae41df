#include "platform/Resources.h"

#include <algorithm>
#include <deque>
#include <map>
#include <mutex>
#include <span>

// Generated at build time from the files under resources/.
extern const std::span<const TEmbeddedResource> gEmbeddedResources;

namespace {

struct TRegistry {
    std::mutex Lock;
    // A deque keeps every registered text at its address: returned views stay valid.
    std::deque<std::string> Texts;
    std::map<std::string, std::string_view, std::less<>> Added;
};

TRegistry& Registry()
{
    // Never destroyed: views handed out must outlive every static destructor.
    static TRegistry* Instance = new TRegistry;
    return *Instance;
}

} // namespace

std::optional<std::string_view> FindResource(std::string_view Name)
{
    {
        TRegistry& R = Registry();
        std::lock_guard Guard(R.Lock);
        auto It = R.Added.find(Name);
        if (It != R.Added.end())
            return It->second;
    }
    for (const TEmbeddedResource& Res : gEmbeddedResources)
        if (Name == Res.Name)
            return std::string_view(reinterpret_cast<const char*>(Res.Data), Res.Size);
    return std::nullopt;
}

std::vector<std::string> ResourceNames(std::string_view Prefix)
{
    std::vector<std::string> Names;
    {
        TRegistry& R = Registry();
        std::lock_guard Guard(R.Lock);
        for (const auto& [Name, Bytes] : R.Added)
            if (Name.starts_with(Prefix))
                Names.push_back(Name);
    }
    for (const TEmbeddedResource& Res : gEmbeddedResources)
        if (std::string_view(Res.Name).starts_with(Prefix))
            Names.emplace_back(Res.Name);
    std::sort(Names.begin(), Names.end());
    Names.erase(std::unique(Names.begin(), Names.end()), Names.end());
    return Names;
}

void RegisterResource(std::string Name, std::string Bytes)
{
    TRegistry& R = Registry();
    std::lock_guard Guard(R.Lock);
    R.Texts.push_back(std::move(Bytes));
    R.Added[std::move(Name)] = R.Texts.back();
}
