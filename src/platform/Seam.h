#pragma once

#include <memory>

namespace scontrix::platform {

// A process-wide access point to one desktop service. The program uses the real
// implementation; a test installs a recording stand-in for its own lifetime
// with ScopedSeam, and the previous one comes back when the guard ends.
template <typename Service> class Seam {
public:
    static Service& current() {
        Service* s = installed();
        if (!s) {
            static std::unique_ptr<Service> real = Service::makeReal();
            s = real.get();
        }
        return *s;
    }

    static Service* install(Service* service) {
        Service* previous = installed();
        installed() = service;
        return previous;
    }

private:
    static Service*& installed() {
        static Service* slot = nullptr;
        return slot;
    }
};

template <typename Service> class ScopedSeam {
public:
    explicit ScopedSeam(Service& standIn) : previous_(Seam<Service>::install(&standIn)) {}
    ~ScopedSeam() { Seam<Service>::install(previous_); }
    ScopedSeam(const ScopedSeam&) = delete;
    ScopedSeam& operator=(const ScopedSeam&) = delete;

private:
    Service* previous_;
};

} // namespace scontrix::platform
