#include "skin/engine/engine.h"

namespace wavoro::skin {

namespace {

// The one engine of the process. Only touched on its own thread.
Engine* theEngine = nullptr;

// The whole file in memory, released at the end of the scope.
class FileBytes {
public:
    FileBytes() = default;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes() {
        if (data_ != nullptr) {
            HeapFree(GetProcessHeap(), 0, data_);
        }
    }

    SkinError read(const char* path) {
        const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return SkinError::Unreadable;
        }
        SkinError result = SkinError::None;
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file, &size)) {
            result = SkinError::Unreadable;
        } else if (size.QuadPart > static_cast<LONGLONG>(kMaxFileLength)) {
            result = SkinError::TooLarge;
        } else {
            size_ = static_cast<std::size_t>(size.QuadPart);
            data_ = static_cast<std::uint8_t*>(HeapAlloc(GetProcessHeap(), 0, size_ + 1));
            if (data_ == nullptr) {
                result = SkinError::OutOfMemory;
            }
            std::size_t done = 0;
            while (result == SkinError::None && done < size_) {
                DWORD got = 0;
                if (!ReadFile(file, data_ + done, static_cast<DWORD>(size_ - done), &got,
                              nullptr) ||
                    got == 0) {
                    result = SkinError::Unreadable;
                }
                done += got;
            }
        }
        CloseHandle(file);
        return result;
    }

    [[nodiscard]] std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

private:
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

HFONT createTitleFont(const Skin& skin) {
    LOGFONTA font{};
    if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font) != sizeof font) {
        return nullptr;
    }
    font.lfHeight = -skin.metric(Setting::TitleFontHeight);
    font.lfWidth = 0;
    font.lfWeight = skin.metric(Setting::TitleFontWeight);
    return CreateFontIndirectA(&font);
}

using SetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

} // namespace

Engine* Engine::current() {
    return theEngine;
}

SkinError Engine::attach(const char* skinFile) {
    if (theEngine != nullptr && theEngine->thread_ != GetCurrentThreadId()) {
        return SkinError::WrongThread;
    }
    if (skinFile == nullptr || *skinFile == '\0') {
        return SkinError::Unreadable;
    }
    LoadedSkin loaded;
    {
        FileBytes file;
        if (const SkinError error = file.read(skinFile); error != SkinError::None) {
            return error;
        }
        if (const SkinError error = loadSkin(file.bytes(), loaded); error != SkinError::None) {
            return error;
        }
    }
    HFONT font = createTitleFont(loaded.skin());

    if (theEngine == nullptr) {
        Engine* engine = create<Engine>();
        if (engine == nullptr) {
            if (font != nullptr) {
                DeleteObject(font);
            }
            return SkinError::OutOfMemory;
        }
        engine->thread_ = GetCurrentThreadId();
        engine->hook_ = SetWindowsHookExA(WH_CBT, &Engine::onCbt, nullptr, engine->thread_);
        if (engine->hook_ == nullptr) {
            if (font != nullptr) {
                DeleteObject(font);
            }
            destroy(engine);
            return SkinError::NoHook;
        }
        engine->dwm_ = LoadLibraryA("dwmapi.dll");
        theEngine = engine;
    }
    theEngine->adopt(static_cast<LoadedSkin&&>(loaded), font);
    dressThreadWindows();
    return SkinError::None;
}

void Engine::adopt(LoadedSkin&& loaded, HFONT font) {
    loaded_ = static_cast<LoadedSkin&&>(loaded);
    if (titleFont_ != nullptr) {
        DeleteObject(titleFont_);
    }
    titleFont_ = font;
}

LRESULT CALLBACK Engine::onCbt(int code, WPARAM wParam, LPARAM lParam) {
    Engine* engine = theEngine;
    if (code == HCBT_CREATEWND && engine != nullptr) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        const auto hwnd = reinterpret_cast<HWND>(wParam);
        const CREATESTRUCTA* cs = create->lpcs;
        if ((cs->style & WS_CHILD) == 0) {
            dressTopLevel(hwnd, cs->hMenu != nullptr);
        } else if (cs->hwndParent != nullptr &&
                   isDressedTopLevel(GetAncestor(cs->hwndParent, GA_ROOT))) {
            dressControl(hwnd, true, static_cast<DWORD>(cs->style));
        }
    }
    return CallNextHookEx(engine != nullptr ? engine->hook_ : nullptr, code, wParam, lParam);
}

void Engine::windowDestroyed() {
    if (--dressed_ <= 0) {
        end(false);
    }
}

void Engine::setOwnFrame(HWND hwnd, bool own) const {
    // Without this, desktop composition keeps drawing its own frame over ours.
    if (dwm_ == nullptr) {
        return;
    }
    const auto set = reinterpret_cast<SetWindowAttribute>(
        reinterpret_cast<void (*)()>(GetProcAddress(dwm_, "DwmSetWindowAttribute")));
    if (set != nullptr) {
        const DWORD ncRenderingPolicy = 2; // DWMWA_NCRENDERING_POLICY
        const DWORD policy = own ? 1 : 0;  // DWMNCRP_DISABLED : DWMNCRP_USEWINDOWSTYLE
        set(hwnd, ncRenderingPolicy, &policy, sizeof policy);
    }
}

void Engine::release() {
    if (theEngine == nullptr) {
        return;
    }
    if (theEngine->thread_ == GetCurrentThreadId()) {
        undressThreadWindows();
    }
    end(true);
}

void Engine::end(bool fromLoader) {
    Engine* engine = theEngine;
    theEngine = nullptr;
    if (engine != nullptr) {
        engine->keepDwm_ = fromLoader;
        destroy(engine);
    }
}

Engine::~Engine() {
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
    }
    if (titleFont_ != nullptr) {
        DeleteObject(titleFont_);
    }
    if (dwm_ != nullptr && !keepDwm_) {
        FreeLibrary(dwm_);
    }
}

} // namespace wavoro::skin
