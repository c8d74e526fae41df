#pragma once

#include <string>
#include <string_view>

// One exchange endpoint: the HTTP verb, the path below the server address and
// whether the call is signed. A worker creates one for a single call and hands
// it to the HTTP client, which frees it when the call returns.
class TDBaseMethod {
public:
    TDBaseMethod() { TDBaseMethod::Init(); }
    TDBaseMethod(const TDBaseMethod&) = delete;
    TDBaseMethod& operator=(const TDBaseMethod&) = delete;
    virtual ~TDBaseMethod() = default;

    const std::string& Method() const { return fMethod; }
    bool Auth() const { return fAuth; }
    const std::string& Resource() const { return fResource; }

protected:
    virtual void Init();
    void Set(const char* aMethod, bool aAuth, const char* aResource);

    std::string fMethod;
    bool fAuth = false;
    std::string fResource;
};

// Each endpoint only overrides Init; its constructor runs it, since a virtual
// call from the base constructor does not reach an override.
class TDMethodPing : public TDBaseMethod {
public:
    TDMethodPing() { TDMethodPing::Init(); }

protected:
    void Init() override;
};

class TDMethodTime : public TDBaseMethod {
public:
    TDMethodTime() { TDMethodTime::Init(); }

protected:
    void Init() override;
};

class TDMethodKlines : public TDBaseMethod {
public:
    TDMethodKlines() { TDMethodKlines::Init(); }

protected:
    void Init() override;
};

class TDMethodTickerPrice : public TDBaseMethod {
public:
    TDMethodTickerPrice() { TDMethodTickerPrice::Init(); }

protected:
    void Init() override;
};

class TDMethodAccount : public TDBaseMethod {
public:
    TDMethodAccount() { TDMethodAccount::Init(); }

protected:
    void Init() override;
};

class TDMethodOrderPost : public TDBaseMethod {
public:
    TDMethodOrderPost() { TDMethodOrderPost::Init(); }

protected:
    void Init() override;
};

class TDMethodOrderDelete : public TDBaseMethod {
public:
    TDMethodOrderDelete() { TDMethodOrderDelete::Init(); }

protected:
    void Init() override;
};

class TDMethodOpenOrders : public TDBaseMethod {
public:
    TDMethodOpenOrders() { TDMethodOpenOrders::Init(); }

protected:
    void Init() override;
};

class TDMethodAllOrders : public TDBaseMethod {
public:
    TDMethodAllOrders() { TDMethodAllOrders::Init(); }

protected:
    void Init() override;
};

class TDMethodDepth : public TDBaseMethod {
public:
    TDMethodDepth() { TDMethodDepth::Init(); }

protected:
    void Init() override;
};

class TDMethodTicker24hr : public TDBaseMethod {
public:
    TDMethodTicker24hr() { TDMethodTicker24hr::Init(); }

protected:
    void Init() override;
};

class TDMethodTickerBookTicker : public TDBaseMethod {
public:
    TDMethodTickerBookTicker() { TDMethodTickerBookTicker::Init(); }

protected:
    void Init() override;
};

// Milliseconds the exchange accepts a signed request after its time stamp.
constexpr int cRecvWindow = 60000;

// aValue percent-encoded: every byte but A-Z, a-z, 0-9, "-", "_", "." and "~"
// becomes "%XX". Every value of every request goes through it, so text the
// exchange sent back (a symbol, an order) can never add or end a parameter.
std::string EncodeParam(std::string_view aValue);

// Appends "aName=aValue" as a new line (CR LF before it unless aResult is
// empty), the value encoded.
void AddParam(std::string& aResult, const std::string& aName, std::string_view aValue);
// Appends "aName=aValue" to a query ("&" before it unless aQuery is empty),
// the value encoded.
void AddQuery(std::string& aQuery, std::string_view aName, std::string_view aValue);

// A price or quantity as the exchange accepts it: at most eight significant
// digits, rounded half away from zero as FloatToStrF rounds them, written
// positionally with "." as separator (never exponent form; an integer part
// beyond eight digits ends in zeros), no trailing zeros after the point.
std::string AsFloatStr(double aValue);

// HMAC-SHA256 of value keyed with salt, as 64 upper-case hexadecimal digits.
std::string CalculateHMACSHA256(const std::string& value, const std::string& salt);
