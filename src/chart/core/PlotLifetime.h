#pragma once

// Tells the engine whether an object it handed to an event handler is still
// there when the handler returns: a handler may free the series or axis it
// is given. The object holds a TPlotLifetime; the caller keeps a TWatch on
// the stack across the call and asks Gone() afterwards. No allocation and no
// atomics: watches live on the UI thread's stack and end in reverse order.

// A lifetime keeps the address of a watch on the stack only until the watch's
// destructor takes it out again, which GCC's dangling-pointer check cannot see.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#endif

class TPlotLifetime {
public:
    class TWatch {
    public:
        explicit TWatch(TPlotLifetime& Lifetime) : FOwner(&Lifetime), FNext(Lifetime.FWatches)
        {
            Lifetime.FWatches = this;
        }
        TWatch(const TWatch&) = delete;
        TWatch& operator=(const TWatch&) = delete;
        ~TWatch()
        {
            if (!FOwner)
                return;
            TWatch** Link = &FOwner->FWatches;
            while (*Link != this)
                Link = &(*Link)->FNext;
            *Link = FNext;
        }
        // The watched object was freed since the watch was taken.
        bool Gone() const { return FOwner == nullptr; }

    private:
        friend class TPlotLifetime;
        TPlotLifetime* FOwner;
        TWatch* FNext;
    };

    TPlotLifetime() = default;
    TPlotLifetime(const TPlotLifetime&) = delete;
    TPlotLifetime& operator=(const TPlotLifetime&) = delete;
    ~TPlotLifetime()
    {
        for (TWatch* W = FWatches; W; W = W->FNext)
            W->FOwner = nullptr;
    }

private:
    TWatch* FWatches = nullptr;
};

#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic pop
#endif
