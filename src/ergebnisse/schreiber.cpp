#include "ergebnisse/schreiber.h"

#include "toolkit/folder.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace kb::erg {

namespace {

// The writer's state lives as long as the process: its thread is detached and
// may still hang in a write to a dead share when the program ends, so nothing
// it uses may be destroyed before the process is gone.
struct Warteschlange {
    std::mutex sperre;
    std::condition_variable geaendert;
    std::deque<std::pair<QString, Datensatz>> auftraege;
    bool laeuft = false; // the thread is between taking a record and finishing it
    bool gestartet = false;

    void arbeite()
    {
        std::unique_lock lock(sperre);
        for (;;) {
            geaendert.wait(lock, [this] { return !auftraege.empty(); });
            const auto [ordner, datensatz] = auftraege.front();
            auftraege.pop_front();
            laeuft = true;
            lock.unlock();
            schreibe(ordner, datensatz);
            lock.lock();
            laeuft = false;
            geaendert.notify_all();
        }
    }

    static void schreibe(const QString& ordner, const Datensatz& d)
    {
        const tk::Folder folder = tk::Folder::open(ordner);
        folder.appendLine(dateiname(d.zeit.date(), d.rechner, d.benutzer), kopfzeile(), alsZeile(d),
                          Dateirechte);
    }
};

Warteschlange& warteschlange()
{
    static auto* w = new Warteschlange;
    return *w;
}

} // namespace

void halteFest(const QString& ordner, const Datensatz& datensatz)
{
    Warteschlange& w = warteschlange();
    std::lock_guard lock(w.sperre);
    w.auftraege.emplace_back(ordner, datensatz);
    if (!w.gestartet) {
        w.gestartet = true;
        std::thread([&w] { w.arbeite(); }).detach();
    }
    w.geaendert.notify_all();
}

bool warteAufSchreiber(int ms)
{
    Warteschlange& w = warteschlange();
    std::unique_lock lock(w.sperre);
    return w.geaendert.wait_for(lock, std::chrono::milliseconds(ms),
                                [&w] { return w.auftraege.empty() && !w.laeuft; });
}

} // namespace kb::erg
