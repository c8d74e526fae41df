#include "domain/uHttpTls.h"

#include "domain/uHttpTransport.h"

#include <array>
#include <mutex>
#include <openssl/err.h>
#include <openssl/ssl.h>

namespace {

// libcurl's own default bundle and folder: what every connection read for
// itself before.
struct TTrustPaths {
    std::string File;
    std::string Folder;
};

TTrustPaths SystemTrustPaths()
{
    TTrustPaths Paths;
    CURL* Probe = curl_easy_init();
    char* Text = nullptr;
    if (curl_easy_getinfo(Probe, CURLINFO_CAINFO, &Text) == CURLE_OK && Text != nullptr)
        Paths.File = Text;
    Text = nullptr;
    if (curl_easy_getinfo(Probe, CURLINFO_CAPATH, &Text) == CURLE_OK && Text != nullptr)
        Paths.Folder = Text;
    curl_easy_cleanup(Probe);
    return Paths;
}

// The store as libcurl built it for each connection: the bundle read whole,
// the folder looked up by hash when needed, the same chain rules.
X509_STORE* ReadStore(const TTrustPaths& aPaths)
{
    X509_STORE* Store = X509_STORE_new();
    if (Store == nullptr)
        return nullptr;
    X509_STORE_set_flags(Store, X509_V_FLAG_TRUSTED_FIRST | X509_V_FLAG_PARTIAL_CHAIN);
    bool Read = !aPaths.File.empty() || !aPaths.Folder.empty();
    if (Read && !aPaths.File.empty())
        Read = X509_STORE_load_file(Store, aPaths.File.c_str()) == 1;
    if (Read && !aPaths.Folder.empty())
        Read = X509_STORE_load_path(Store, aPaths.Folder.c_str()) == 1;
    if (Read)
        return Store;
    // The connection's own error queue must not carry our failure.
    ERR_clear_error();
    X509_STORE_free(Store);
    return nullptr;
}

class TTlsShare {
public:
    TTlsShare() : fShare(curl_share_init()), fPaths(SystemTrustPaths())
    {
        if (fShare == nullptr)
            return;
        curl_share_setopt(fShare, CURLSHOPT_LOCKFUNC, Lock);
        curl_share_setopt(fShare, CURLSHOPT_UNLOCKFUNC, Unlock);
        curl_share_setopt(fShare, CURLSHOPT_USERDATA, this);
        curl_share_setopt(fShare, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    }
    TTlsShare(const TTlsShare&) = delete;
    TTlsShare& operator=(const TTlsShare&) = delete;

    void Attach(CURL* aHandle)
    {
        if (fShare != nullptr)
            curl_easy_setopt(aHandle, CURLOPT_SHARE, fShare);
        // No connection reads a bundle of its own: the shared store replaces it.
        curl_easy_setopt(aHandle, CURLOPT_CAINFO, nullptr);
        curl_easy_setopt(aHandle, CURLOPT_CAPATH, nullptr);
        curl_easy_setopt(aHandle, CURLOPT_SSL_CTX_FUNCTION, UseStore);
        curl_easy_setopt(aHandle, CURLOPT_SSL_CTX_DATA, this);
    }

    void Trust(const TTrustPaths& aPaths)
    {
        std::lock_guard Guard(fStoreLock);
        fPaths = aPaths;
        X509_STORE_free(fStore);
        fStore = nullptr;
    }

private:
    static void Lock(CURL*, curl_lock_data aData, curl_lock_access, void* aShare)
    {
        static_cast<TTlsShare*>(aShare)->fLocks[aData].lock();
    }
    static void Unlock(CURL*, curl_lock_data aData, void* aShare)
    {
        static_cast<TTlsShare*>(aShare)->fLocks[aData].unlock();
    }

    // Runs on each new connection's thread. The store is reference counted:
    // the connection holds it even when a test replaces it meanwhile.
    static CURLcode UseStore(CURL*, void* aContext, void* aShare)
    {
        auto& Share = *static_cast<TTlsShare*>(aShare);
        std::lock_guard Guard(Share.fStoreLock);
        if (Share.fStore == nullptr)
            Share.fStore = ReadStore(Share.fPaths);
        if (Share.fStore == nullptr)
            return CURLE_SSL_CACERT_BADFILE;
        SSL_CTX_set1_cert_store(static_cast<SSL_CTX*>(aContext), Share.fStore);
        return CURLE_OK;
    }

    CURLSH* fShare;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> fLocks;
    std::mutex fStoreLock;
    TTrustPaths fPaths;
    X509_STORE* fStore = nullptr;
};

// Made once, after libcurl's global set-up, and kept to the process's end:
// a worker left running at exit may still be using it.
TTlsShare& Shared()
{
    static TTlsShare* Instance = [] {
        HttpGlobalInit();
        return new TTlsShare();
    }();
    return *Instance;
}

} // namespace

void HttpShareTls(CURL* aHandle)
{
    Shared().Attach(aHandle);
}

void HttpTrustFileForTests(const std::string& aPath)
{
    Shared().Trust(aPath.empty() ? SystemTrustPaths() : TTrustPaths{aPath, {}});
}
