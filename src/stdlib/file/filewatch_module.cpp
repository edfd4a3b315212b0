// stdlib/file/filewatch_module.cpp: the FileWatch module. A table of 64 watches,
// each an inotify watch on a directory (with its subtree) or, for a path that is
// not a directory, on the file's directory with only that name reported. The run
// loop polls the table between slices and calls each watch's callback with an
// object {event, name} and the watch id. An open watch does not keep the program
// alive: a script waiting for changes keeps itself running (a timer, a sleep).
#include <strings.h>
#include <cstring>
#include <sys/stat.h>

#include <string_view>
#include <vector>

#include "runtime/builtin.h"
#include "runtime/console.h"
#include "runtime/property_map.h"
#include "sched/host_call.h"
#include "sched/scheduler.h"
#include "stdlib/file/file_values.h"
#include "stdlib/file/filewatch_linux.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

constexpr int kWatchSlots = 64;
constexpr size_t kMaxFileName = 259;
constexpr uint32_t kDefaultFilter = kWatchFileName | kWatchDirName | kWatchSize | kWatchLastWrite | kWatchCreation;

struct WatchSlot {
    bool active = false;
    uint32_t generation = 0;  // tells a callback's Close (and a reopen) from the watch being delivered
    DirWatch dir;
    Value callback = kAbsent;  // retained
    Value path = kAbsent;      // retained
    bool file_mode = false;
    std::string file_name;
};

WatchSlot g_slots[kWatchSlots];
uint32_t g_active = 0;
Value g_delivering[2] = {kAbsent, kAbsent};  // event and callback of the call in progress

uint32_t filter_of(Value v) {
    std::string_view text;
    if (!file_text_arg(v, &text)) return kDefaultFilter;
    if (text == "all") return kDefaultFilter | kWatchAttributes;
    uint32_t filter = 0;
    if (text.find("write") != text.npos) filter |= kWatchFileName | kWatchSize | kWatchLastWrite;
    if (text.find("create") != text.npos) filter |= kWatchFileName | kWatchDirName | kWatchCreation;
    if (text.find("delete") != text.npos) filter |= kWatchFileName | kWatchDirName;
    if (text.find("attrib") != text.npos) filter |= kWatchAttributes;
    return filter ? filter : kDefaultFilter;
}

bool is_callable(Value v) {
    return is_ref(v) && (as_obj(v)->type & T_CALLABLE) && !(as_obj(v)->type & ~T_CALLABLE);
}

const char* action_word(WatchAction action) {
    switch (action) {
    case WatchAction::Create: return "create";
    case WatchAction::Delete: return "delete";
    case WatchAction::Modify: return "modify";
    case WatchAction::Rename: return "rename";
    default: return "unknown";
    }
}

void free_slot(WatchSlot& slot) {
    dirwatch_close(&slot.dir);
    release(slot.callback);
    release(slot.path);
    slot.callback = slot.path = kAbsent;
    slot.file_name.clear();
    slot.active = false;
    slot.generation += 1;
    g_active -= 1;
}

void deliver(int id, const WatchNotice& notice) {
    WatchSlot& slot = g_slots[id];
    Value event = make_object();
    object_put(event, "event", file_string_value(action_word(notice.action)));
    object_put(event, "name", file_string_value(notice.name));
    Value callback = slot.callback;
    retain(callback);  // the callback may close its own watch
    g_delivering[0] = event;
    g_delivering[1] = callback;
    Value args[2] = {event, make_int(id)};
    // No fiber is current between slices, and a raise must stop here rather than
    // end the VM.
    host_call_boundary(callback, args, 2, "file_watch");
    g_delivering[0] = g_delivering[1] = kAbsent;
    release(callback);
    release(event);
}

uint32_t watch_active() { return g_active; }

void watch_poll() {
    std::vector<WatchNotice> notices;
    for (int id = 0; id < kWatchSlots; ++id) {
        WatchSlot& slot = g_slots[id];
        if (!slot.active) continue;
        notices.clear();
        dirwatch_read(&slot.dir, &notices);
        uint32_t generation = slot.generation;
        for (const WatchNotice& notice : notices) {
            if (!slot.active || slot.generation != generation) break;
            if (slot.file_mode && ::strcasecmp(notice.name.c_str(), slot.file_name.c_str()) != 0) continue;
            deliver(id, notice);
        }
    }
}

int watch_wait_fds(int* fds, int cap) {
    int n = 0;
    for (const WatchSlot& slot : g_slots)
        if (slot.active && slot.dir.fd >= 0 && n < cap) fds[n++] = slot.dir.fd;
    return n;
}

void watch_shutdown() {
    // The VM may end inside a callback (VM.Exit): its event and callback are ours.
    for (Value& held : g_delivering) {
        release(held);
        held = kAbsent;
    }
    for (WatchSlot& slot : g_slots)
        if (slot.active) free_slot(slot);
}

const SchedulerWatch kWatchHooks{watch_active, watch_poll, watch_wait_fds, watch_shutdown};

// The directory to watch and, for a path that is no directory, the file name.
bool split_target(const std::string& path, std::string* dir, std::string* file, bool* file_mode) {
    struct stat st;
    *file_mode = !(::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
    if (!*file_mode) {
        *dir = path;
        return true;
    }
    size_t cut = path.find_last_of("/\\");
    // A bare name is a file in the current directory.
    *dir = cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
    *file = cut == std::string::npos ? path : path.substr(cut + 1);
    return !file->empty() && file->size() <= kMaxFileName;
}

Value filewatch_open(Value* args, int argc) {
    Value callback = argc == 2 ? args[1] : args[2];
    Value filter_value = argc == 2 ? kAbsent : args[1];
    std::string path, dir, file;
    bool file_mode = false;
    if (!is_callable(callback) || !file_path_arg(args[0], &path)) return make_int(-1);
    int id = 0;
    while (id < kWatchSlots && g_slots[id].active) ++id;
    if (id == kWatchSlots || !split_target(path, &dir, &file, &file_mode)) return make_int(-1);
    WatchSlot& slot = g_slots[id];
    // A file watch only ever reports names in its own directory.
    if (int error = dirwatch_open(&slot.dir, dir, filter_of(filter_value), !file_mode)) {
        print_verbose("FileWatch.Open: '%s': %s\n", dir.c_str(), std::strerror(error));
        return make_int(-1);
    }
    retain(callback);
    retain(args[0]);
    slot.callback = callback;
    slot.path = args[0];
    slot.file_mode = file_mode;
    slot.file_name = file;
    slot.active = true;
    g_active += 1;
    scheduler_set_watch(&kWatchHooks);
    return make_int(id);
}

Value filewatch_close(Value* args, int) {
    if (value_type(args[0]) != T_INT) return make_bool(false);
    int64_t id = value_to_int(args[0]);
    if (id < 0 || id >= kWatchSlots || !g_slots[id].active) return make_bool(false);
    free_slot(g_slots[id]);
    return make_bool(true);
}

constexpr Signature kOpen{T_INT, {T_ANY, T_ANY, T_ANY}};
constexpr Signature kClose{T_BOOL, {T_ANY}};

}  // namespace

// Catalogue order.
constexpr BuiltinNative kFileWatchNatives[] = {
    {"Open", filewatch_open, &kOpen},
    {"Close", filewatch_close, &kClose},
};

void filewatch_register_natives() { builtin_register_module("FileWatch", kFileWatchNatives); }

}  // namespace tarvik
