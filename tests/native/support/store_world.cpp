#include "tests/native/support/store_world.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>

#include "app/list/list_model.h"
#include "store/file_damage.h"
#include "store/text_lines.h"
#include "tests/native/support/fakes.h"
#include "tests/native/support/outside_text.h"
#include "tests/native/support/sim_folder.h"

namespace vantry::test {

namespace {

const std::string kList = ListFileName(0);
const std::string kTabs = kTabsFile;
// A state of a file that lasts this long may be read twice by the program (which reads again 50
// ms later) and cannot be told from an edit: what it holds was written on purpose. Editors pause
// either below it between the chunks of one write, or at least this long and only at line ends,
// so that no state the program cannot tell from an edit is a torn one.
constexpr std::uint64_t kAtRestMs = 50;

Lines Items(const Lines& lines) {
    Lines items;
    for (const auto& line : lines) {
        if (!line.empty()) items.push_back(line);
    }
    return items;
}

class CheckingDialogs : public RecordingDialogs {
  public:
    explicit CheckingDialogs(SimDisk& disk) : disk_(disk) {}
    void ShowError(const std::string& text) override {
        if (disk_.turnHeld) heldTurn = true;
        RecordingDialogs::ShowError(text);
    }
    bool heldTurn = false;

  private:
    SimDisk& disk_;
};

struct Copy {
    explicit Copy(SimDisk& disk) : folder(disk), dialogs(disk) {}
    SimFolder folder;
    CheckingDialogs dialogs;
    ItemFiles files{folder, dialogs};
    RecordingListView view;
    ListModel model{files, view};

    Lines Held() const {
        Lines held;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (model.Occupied(slot)) held.push_back(model.Path(slot));
        }
        held.insert(held.end(), model.Overflow().begin(), model.Overflow().end());
        return held;
    }
    void Reload() {
        model.ResetDWM();
        model.LoadListfile();
    }
};

struct Event {
    std::uint64_t time;
    int order;
    std::function<void()> run;
};

class World {
    struct State {
        std::uint64_t since = 0;
        std::uint64_t tick = 0;  // what was born before it was written
        bool outside = false;
        Lines meant;
        bool present = false;
        std::optional<std::string> bytes;  // as text
    };

  public:
    explicit World(const History& history) : history_(history) {
        disk_.runOthersUntil = [this](std::uint64_t until) { RunEvents(until); };
        disk_.renamed = [this](const std::string& name) {
            Changed(name, false, {});
            if (name == kTabs) TabVersion(DiskLines(kTabs));
            if (name != kList) return;
            ownWrite_ = true;
            versions_.push_back({disk_.files[kList], DiskLines(kList)});
        };
        born_["C:\\"] = 0;
    }

    std::optional<std::string> Run() {
        for (const Step& step : history_) {
            const std::uint64_t at = disk_.now + step.pause;
            RunEvents(at);
            disk_.now = std::max(disk_.now, at);
            Do(step);
            if (fault_) return fault_;
        }
        RunEvents(~0ull >> 1);
        QuietPoint();
        return fault_;
    }

  private:
    void Fault(const std::string& what) {
        if (!fault_) fault_ = what;
    }

    std::string Fresh() {
        std::string item = ItemText(next_++);
        born_.emplace(item, ++tick_);
        return item;
    }

    Lines DiskLines(const std::string& name) {
        auto file = disk_.files.find(name);
        if (file == disk_.files.end()) return {};
        return SplitLines(DecodeFileText(file->second.bytes, Latin1CodePage()));
    }

    // Every change of a file passes here. A clean state written elsewhere that still holds lines
    // deleted on purpose what it left out: at once when it is a whole write, when it has been at
    // rest long enough when it is part of one.
    void Changed(const std::string& name, bool outside, const Lines& meant, bool whole = false) {
        State& state = states_[name];
        auto file = disk_.files.find(name);
        const std::optional<std::string> bytes =
            file == disk_.files.end()
                ? std::nullopt
                : std::optional(DecodeFileText(file->second.bytes, Latin1CodePage()));
        // The same text again, as the program reads it, is no change: the state stays at rest
        // since it began.
        if (bytes == state.bytes && state.present) {
            if (outside && whole && name == kList) Deliberate(meant, ++tick_);
            return;
        }
        Settle(name, state, disk_.now);
        if (outside && whole && name == kList) Deliberate(meant, ++tick_);
        state = {disk_.now, ++tick_, outside, meant, bytes.has_value(), bytes};
    }

    // Names some writer wrote whole, as the program reads them.
    void TabVersion(Lines names) {
        names.resize(std::min<std::size_t>(names.size(), kTabCount));
        if (!names.empty()) tabVersions_.insert(names);
    }

    void Settle(const std::string& name, const State& state, std::uint64_t until) {
        if (name != kList || !state.outside || !state.present || until - state.since < kAtRestMs ||
            Items(state.meant).empty()) {
            return;
        }
        Deliberate(state.meant, state.tick);
    }

    void Deliberate(const Lines& meant, std::uint64_t tick) {
        if (Items(meant).empty()) return;
        std::set<std::string> kept(meant.begin(), meant.end());
        for (const auto& [item, born] : born_) {
            if (born < tick && !kept.count(item)) deleted_.insert(item);
        }
    }

    void RunEvents(std::uint64_t until) {
        while (!events_.empty()) {
            auto next = std::min_element(events_.begin(), events_.end(), [](auto& x, auto& y) {
                return std::tie(x.time, x.order) < std::tie(y.time, y.order);
            });
            if (next->time > until) break;
            Event event = std::move(*next);
            events_.erase(next);
            disk_.now = std::max(disk_.now, event.time);
            event.run();
        }
    }

    // A person saves one file once at a time: a save comes after the last one has landed. (Two
    // writes of one file interleaved could put a state back between the program's two reads.)
    void AwaitWrite(const std::string& name) {
        while (writing_.count(name) && !events_.empty()) {
            RunEvents(std::min_element(events_.begin(), events_.end(), [](auto& x, auto& y) {
                          return x.time < y.time;
                      })->time);
        }
    }

    void Later(std::uint64_t delay, std::function<void()> run) {
        events_.push_back({disk_.now + delay, order_++, std::move(run)});
    }

    // An outside write of the whole file, landing in chunks: fast ones at any byte, slow ones
    // (at rest in between) at line ends only.
    void WriteInPlace(const std::string& name, const Lines& lines, std::uint32_t how,
                      std::uint32_t chunking) {
        const std::string text = Text(lines, how, !(how & 16));
        const Form form = Choose(text, how);
        const std::string bytes = Bytes(text, form);
        const bool slow = chunking & 1;
        const int chunks = 1 + static_cast<int>(chunking >> 1) % 3;
        std::uint64_t at = 0;
        for (int k = 1; k <= chunks; ++k) {
            std::size_t end = bytes.size() * static_cast<std::size_t>(k) / chunks;
            Lines meant = lines;
            if (k < chunks) {
                if (slow) {
                    meant.resize(lines.size() * static_cast<std::size_t>(k) / chunks);
                    end = Bytes(Text(meant, how, true), form).size();
                } else {
                    end = std::min(bytes.size(), end + (chunking >> 3) % 7);
                }
            }
            const bool whole = k == chunks;
            Later(at, [this, name, bytes, end, meant, lines, whole] {
                disk_.Set(name, bytes.substr(0, end));
                if (whole) {
                    writing_.erase(name);
                    return Landed(name, meant);
                }
                writing_[name] = {bytes, lines};
                Changed(name, true, meant);
            });
            at += slow ? kAtRestMs + (chunking >> 4) % 200 : 1 + (chunking >> 4) % 40;
        }
    }

    // What an editor shows of the tab names: the lines that damage left whole. A line with NUL
    // bytes, or cut off by a write still under way, may end in half a character: a person
    // retypes it rather than saving what could not be shown.
    Lines ShownNames() {
        auto file = disk_.files.find(kTabs);
        if (file == disk_.files.end()) return {};
        return IntactLines(DecodeFileText(file->second.bytes, Latin1CodePage()), std::nullopt,
                           writing_.count(kTabs) > 0);
    }

    // A whole outside write is on disk.
    void Landed(const std::string& name, const Lines& meant) {
        Changed(name, true, meant, true);
        if (name == kTabs) TabVersion(meant);
        if (name == kList) versions_.push_back({disk_.files[name], meant});
    }

    Lines EditedView(const Step& step) {
        // What an editor shows of the file: its items, once each (a line that held NUL bytes
        // reads as the item it is left with, which is not a second copy of it).
        Lines view;
        for (const auto& line : DiskLines(kList)) {
            if (born_.count(line) && std::count(view.begin(), view.end(), line) == 0) {
                view.push_back(line);
            }
        }
        if (!view.empty() && step.action % 3 == 1) {
            view.erase(view.begin() + static_cast<long>(step.a % view.size()));
        } else if (!view.empty() && step.action % 3 == 2) {
            std::rotate(view.begin(), view.begin() + static_cast<long>(step.a % view.size()),
                        view.end());
        } else {
            view.insert(view.begin() + static_cast<long>(step.a % (view.size() + 1)), Fresh());
        }
        return view;
    }

    void Do(const Step& step) {
        switch (step.actor) {
            case kCopyA:
            case kCopyB:
                return CopyStep(step);
            case kEditor:
                AwaitWrite(step.action == 3 ? kTabs : kList);
                if (step.action == 3) {
                    Lines names = ShownNames();
                    names.resize(kTabCount);
                    names[step.a % kTabCount] = "Tab " + std::to_string(next_++) + " |";
                    return WriteInPlace(kTabs, names, step.b & ~16u, 0);
                }
                return WriteInPlace(kList, EditedView(step), step.b, step.c);
            case kSync:
                return SyncStep(step);
            case kPower:
                return PowerCut(step);
            default:
                disk_.files.erase(kList);
                Changed(kList, true, {});
        }
    }

    void SyncStep(const Step& step) {
        if (step.action == 0 && disk_.files.count(kList) && !versions_.empty()) {
            // Deleted, then made again from the last whole version the client knows.
            const auto [file, meant] = versions_.back();
            disk_.files.erase(kList);
            Changed(kList, true, {});
            Later(step.a % 400, [this, file, meant] {
                disk_.files[kList] = file;
                Changed(kList, true, meant, true);
            });
        } else if (step.action == 1) {
            Lines view = EditedView(step);
            disk_.Set(kList, Encode(view, step.b));
            Changed(kList, true, view, true);
            versions_.push_back({disk_.files[kList], view});
        } else if (!versions_.empty()) {
            const auto& [file, meant] = versions_[step.a % versions_.size()];
            disk_.files[kList] = file;
            Changed(kList, true, meant, true);
        }
    }

    // What a power cut does to a file that was not flushed: its tail, from any byte on, becomes
    // NUL bytes, or it is left with none. Whatever was being written stops.
    void PowerCut(const Step& step) {
        const std::string& name = step.action % 2 ? kTabs : kList;
        events_.clear();
        // A write cut short keeps the size it was to have, the part not written NUL bytes.
        for (const auto& [written, write] : writing_) {
            const auto& [whole, meant] = write;
            auto cut = disk_.files.find(written);
            if (cut == disk_.files.end() || !whole.starts_with(cut->second.bytes) ||
                whole == cut->second.bytes) {
                continue;
            }
            std::string& bytes = cut->second.bytes;
            bytes += std::string(whole.size() - bytes.size(), '\0');
            // Only the write's last byte missing, and that a NUL (the high byte of a UTF-16 line
            // break): the write is whole after all.
            if (bytes == whole) {
                Landed(written, meant);
            } else {
                Changed(written, false, {});
            }
        }
        writing_.clear();
        auto file = disk_.files.find(name);
        if (file == disk_.files.end() || file->second.durable) return;
        std::string& bytes = file->second.bytes;
        if (step.b % 3 == 0) {
            bytes.clear();
        } else if (!bytes.empty()) {
            std::size_t from = step.c % bytes.size();
            std::fill(bytes.begin() + static_cast<long>(from), bytes.end(), '\0');
        }
        file->second.durable = true;
        Changed(name, false, {});
    }

    void CopyStep(const Step& step) {
        auto& copy = copies_[static_cast<std::size_t>(step.actor)];
        if (!copy) {
            copy = std::make_unique<Copy>(disk_);
            Guarded(copy, [&] { copy->model.LoadListfile(); });
            return;
        }
        if (step.c % 5 == 0) copy->folder.killAt = copy->folder.calls + 1 + step.b % 16;
        if (step.c % 7 == 1) {
            copy->folder.failAt = copy->folder.calls + 1 + step.b % 12;
            copy->folder.failCalls = 1 + static_cast<int>(step.a % 3);
        }
        Guarded(copy, [&] { Act(*copy, step); });
        if (copy) copy->folder.killAt = copy->folder.failAt = 0;
    }

    template <typename Action>
    void Guarded(std::unique_ptr<Copy>& copy, Action action) {
        try {
            action();
            if (copy->dialogs.heldTurn) Fault("(turn) a message box was shown inside a save turn");
        } catch (const Killed&) {
            copy.reset();
        }
        // For the other copy, what this one wrote is a file written elsewhere.
        if (ownWrite_) Deliberate(DiskLines(kList), ++tick_);
        ownWrite_ = false;
    }

    // A save as the list window makes it, then its checks: a save reported done is on disk, and
    // a turn that ends clean leaves no killed writer's temporary file for good.
    void Save(Copy& copy, const std::function<void(bool saved)>& after = {}) {
        const Lines before = copy.Held();
        std::vector<std::string> leftovers;
        for (const auto& [name, file] : disk_.files) {
            if (IsTemporary(name)) leftovers.push_back(name);
        }
        const int turns = disk_.turnsTaken;
        SaveOutcome saved = copy.model.SaveListFile();
        for (const auto& name : leftovers) {
            if (disk_.turnsTaken != turns && !disk_.turnAbandoned && disk_.files.count(name))
                Fault("(f) a leftover temporary file outlived a save: " + name);
        }
        Settle(kList, states_[kList], disk_.now);
        const Lines file = Items(DiskLines(kList));
        for (const auto& item : before) {
            if (!born_.count(item))
                Fault("(b) a copy holds a line nobody wrote: " + Printable(item));
        }
        for (const auto& item : saved ? before : Lines{}) {
            auto times = std::count(file.begin(), file.end(), item);
            if (!deleted_.count(item) && times != 1) {
                Fault("(a) a copy holds \"" + Printable(item) + "\", in the file " +
                      std::to_string(times) +
                      " times after its save: " + Printable(disk_.files[kList].bytes));
            }
        }
        if (saved && !saved.merged && Items(DiskLines(kList)) != copy.Held()) {
            std::string held;
            for (const auto& line : copy.Held()) held += line + "|";
            Fault("(d) a save reported done, but the file holds other lines: " +
                  Printable(disk_.files[kList].bytes) + " for " + Printable(held));
        }
        if (after) after(saved.saved);
        if (!saved || saved.merged) copy.Reload();
    }

    void Act(Copy& copy, const Step& step) {
        const int count = copy.model.OccupiedCount();
        switch (step.action % 6) {
            case 0:
                return copy.Reload();
            case 1:
                copy.model.InsertItems(static_cast<int>(step.a % 21), {Fresh()});
                break;
            case 2:
                if (count == 0) return;
                {
                    const int slot = static_cast<int>(step.a % static_cast<unsigned>(count));
                    const std::string path = copy.model.Path(slot);
                    copy.model.FreeSlot(slot);
                    return Save(copy, [&](bool saved) {
                        if (!saved) return copy.model.AddItem(slot, path, ItemCaption(path));
                        deleted_.insert(path);
                        copy.model.CloseGap(slot);
                    });
                }
            case 3:
                if (count == 0) return;
                copy.model.MoveItem(static_cast<int>(step.a % static_cast<unsigned>(count)),
                                    static_cast<int>(step.b % static_cast<unsigned>(count)));
                break;
            case 4: {
                auto read = copy.files.ReadTabNames();
                std::array<std::string, kTabCount> names;
                names.fill(kDefaultTabName);
                if (read) std::copy(read->begin(), read->end(), names.begin());
                const auto startedFrom = names;
                names[step.a % kTabCount] = "Tab " + std::to_string(next_++) + " |";
                copy.files.WriteTabNames(names, &startedFrom);
                return;
            }
            default:
                break;
        }
        Save(copy);
    }

    void QuietPoint() {
        std::array<Lines, 2> held;
        for (std::size_t k = 0; k < copies_.size(); ++k) {
            if (!copies_[k]) continue;
            held[k] = copies_[k]->Held();
            Guarded(copies_[k], [&] { Save(*copies_[k]); });
        }
        Settle(kList, states_[kList], ~0ull >> 1);
        const Lines final = Items(DiskLines(kList));
        for (std::size_t k = 0; k < copies_.size(); ++k) {
            for (const auto& item : held[k]) {
                if (!copies_[k] || deleted_.count(item)) continue;
                auto times = std::count(final.begin(), final.end(), item);
                if (times != 1) {
                    Fault("(a) copy " + std::to_string(k) + " holds \"" + Printable(item) +
                          "\", in the file " + std::to_string(times) +
                          " times: " + Printable(disk_.files[kList].bytes));
                }
            }
        }
        // One last load: what a copy holds now, and what a new one finds, somebody wrote.
        Copy last(disk_);
        last.model.LoadListfile();
        for (const Copy* copy : {copies_[0].get(), copies_[1].get(), &last}) {
            for (const auto& line : copy ? copy->Held() : Lines{}) {
                if (!born_.count(line))
                    Fault("(b) a line nobody wrote: \"" + Printable(line) + "\"");
            }
        }
        SimFolder folder(disk_);
        RecordingDialogs dialogs;
        auto names = ItemFiles(folder, dialogs).ReadTabNames();
        if (names && !tabVersions_.count(*names)) {
            Fault("(e) tab names nobody wrote, first \"" + names->front() + "\"");
        }
    }

    const History& history_;
    SimDisk disk_;
    std::array<std::unique_ptr<Copy>, 2> copies_;
    std::vector<Event> events_;
    int order_ = 0;
    int next_ = 0;
    std::map<std::string, std::uint64_t> born_;  // each item, with the tick it was made at
    std::uint64_t tick_ = 0;
    std::set<std::string> deleted_;
    std::map<std::string, State> states_;
    std::vector<std::pair<SimFile, Lines>> versions_;  // whole writes, as a sync client keeps them
    std::set<Lines> tabVersions_;
    std::optional<std::string> fault_;
    // Writes under way: their whole bytes, and the lines they write.
    std::map<std::string, std::pair<std::string, Lines>> writing_;
    bool ownWrite_ = false;  // a copy's save replaced the list file during its step
};

}  // namespace

std::optional<std::string> RunHistory(const History& history) {
    return World(history).Run();
}

}  // namespace vantry::test
