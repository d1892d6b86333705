#include "viewer/win32/print/win32_printer.h"

#include <commdlg.h>
#include <winspool.h>

#include <cstring>
#include <string>

namespace win32print {

namespace {

// The spooler's paper numbers and names, and their sizes in tenths of a millimetre.
struct PaperList {
    std::vector<WORD> numbers;
    std::vector<std::string> names;
    std::vector<POINT> sizes;
};

PaperList PapersOf(const std::string& device) {
    PaperList list;
    const int count = DeviceCapabilitiesA(device.c_str(), nullptr, DC_PAPERS, nullptr, nullptr);
    if (count <= 0) return list;
    list.numbers.resize(count);
    std::vector<char> names(static_cast<size_t>(count) * 64, '\0');
    list.sizes.resize(count);
    DeviceCapabilitiesA(device.c_str(), nullptr, DC_PAPERS, reinterpret_cast<LPSTR>(list.numbers.data()), nullptr);
    if (DeviceCapabilitiesA(device.c_str(), nullptr, DC_PAPERNAMES, names.data(), nullptr) != count ||
        DeviceCapabilitiesA(device.c_str(), nullptr, DC_PAPERSIZE, reinterpret_cast<LPSTR>(list.sizes.data()),
                            nullptr) != count)
        return {};
    for (int i = 0; i < count; ++i) list.names.emplace_back(names.data() + i * 64, strnlen(names.data() + i * 64, 64));
    return list;
}

std::string Fixed(const BYTE* text, size_t size) {
    const char* chars = reinterpret_cast<const char*>(text);
    return {chars, strnlen(chars, size)};
}

HGLOBAL GlobalCopy(const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return nullptr;
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    return block;
}

}  // namespace

std::vector<char> DevModeFor(const PrinterSettings& settings) {
    std::string device = settings.names.device;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(device.data(), &printer, nullptr)) return {};
    std::vector<char> mode;
    const LONG size = DocumentPropertiesA(nullptr, printer, device.data(), nullptr, nullptr, 0);
    if (size >= static_cast<LONG>(sizeof(DEVMODEA))) {
        mode.resize(size);
        auto* dm = reinterpret_cast<DEVMODEA*>(mode.data());
        if (DocumentPropertiesA(nullptr, printer, device.data(), dm, nullptr, DM_OUT_BUFFER) != IDOK) {
            mode.clear();
        } else {
            dm->dmOrientation = settings.mode.orientation == PrintOrientation::Landscape ? DMORIENT_LANDSCAPE
                                                                                         : DMORIENT_PORTRAIT;
            dm->dmFields |= DM_ORIENTATION;
            // The paper by the printer's name for it, else by its size; no name keeps the
            // printer's default paper.
            const PaperSize& paper = settings.mode.paper;
            if (!paper.name.empty()) {
                const PaperList papers = PapersOf(device);
                bool found = false;
                for (size_t i = 0; i < papers.names.size() && !found; ++i)
                    if (papers.names[i] == paper.name) {
                        dm->dmPaperSize = static_cast<short>(papers.numbers[i]);
                        dm->dmFields = (dm->dmFields | DM_PAPERSIZE) & ~(DM_PAPERWIDTH | DM_PAPERLENGTH);
                        found = true;
                    }
                if (!found && paper.widthMm > 0 && paper.heightMm > 0) {
                    dm->dmPaperSize = 0;
                    dm->dmPaperWidth = static_cast<short>(paper.widthMm * 10 + 0.5);
                    dm->dmPaperLength = static_cast<short>(paper.heightMm * 10 + 0.5);
                    dm->dmFields = (dm->dmFields | DM_PAPERWIDTH | DM_PAPERLENGTH) & ~DM_PAPERSIZE;
                }
            }
            if (DocumentPropertiesA(nullptr, printer, device.data(), dm, dm, DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK)
                mode.clear();
        }
    }
    ClosePrinter(printer);
    return mode;
}

HDC CreatePrinterDC(const PrinterSettings& settings) {
    if (settings.names.device.empty()) return nullptr;
    const std::vector<char> mode = DevModeFor(settings);
    const auto* dm = mode.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(mode.data());
    return CreateDCA(settings.names.driver.empty() ? nullptr : settings.names.driver.c_str(),
                     settings.names.device.c_str(), nullptr, dm);
}

PrinterSettings SettingsOf(HGLOBAL devNames, HGLOBAL devMode) {
    PrinterSettings settings;
    if (devNames) {
        const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames));
        const char* base = reinterpret_cast<const char*>(names);
        settings.names = {std::string(base + names->wDriverOffset), std::string(base + names->wDeviceOffset),
                          std::string(base + names->wOutputOffset)};
        GlobalUnlock(devNames);
    }
    if (devMode) {
        const auto* dm = static_cast<const DEVMODEA*>(GlobalLock(devMode));
        settings.mode.deviceName = Fixed(dm->dmDeviceName, sizeof dm->dmDeviceName);
        if (settings.names.device.empty()) settings.names.device = settings.mode.deviceName;
        settings.mode.orientation = (dm->dmFields & DM_ORIENTATION) && dm->dmOrientation == DMORIENT_LANDSCAPE
                                        ? PrintOrientation::Landscape
                                        : PrintOrientation::Portrait;
        if (dm->dmFields & DM_PAPERSIZE) {
            const PaperList papers = PapersOf(settings.names.device);
            for (size_t i = 0; i < papers.numbers.size(); ++i)
                if (papers.numbers[i] == static_cast<WORD>(dm->dmPaperSize))
                    settings.mode.paper = {papers.names[i], papers.sizes[i].x / 10.0, papers.sizes[i].y / 10.0};
        } else if ((dm->dmFields & DM_PAPERWIDTH) && (dm->dmFields & DM_PAPERLENGTH)) {
            settings.mode.paper = {"", dm->dmPaperWidth / 10.0, dm->dmPaperLength / 10.0};
        }
        GlobalUnlock(devMode);
    }
    return settings;
}

HGLOBAL GlobalDevNames(const PrinterSettings& settings) {
    const PrinterNames& n = settings.names;
    std::vector<char> block(sizeof(DEVNAMES));
    auto append = [&block](const std::string& text) {
        const size_t at = block.size();
        block.insert(block.end(), text.begin(), text.end());
        block.push_back('\0');
        return static_cast<WORD>(at);
    };
    DEVNAMES header{};
    header.wDriverOffset = append(n.driver);
    header.wDeviceOffset = append(n.device);
    header.wOutputOffset = append(n.output);
    std::memcpy(block.data(), &header, sizeof header);
    return GlobalCopy(block.data(), block.size());
}

HGLOBAL GlobalDevMode(const PrinterSettings& settings) {
    const std::vector<char> mode = DevModeFor(settings);
    return mode.empty() ? nullptr : GlobalCopy(mode.data(), mode.size());
}

PrinterCaps CapsOf(HDC dc) {
    PrinterCaps caps;
    caps.physicalWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
    caps.physicalHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    caps.physicalOffsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    caps.physicalOffsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    caps.pixelsPerInchX = GetDeviceCaps(dc, LOGPIXELSX);
    caps.pixelsPerInchY = GetDeviceCaps(dc, LOGPIXELSY);
    caps.printableWidthMm = GetDeviceCaps(dc, HORZSIZE);
    caps.printableHeightMm = GetDeviceCaps(dc, VERTSIZE);
    return caps;
}

void ApplyMapping(HDC dc, const PrintMapping& mapping) {
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, mapping.windowExtent, mapping.windowExtent, nullptr);
    SetViewportExtEx(dc, mapping.viewportExtentX, mapping.viewportExtentY, nullptr);
    SetWindowOrgEx(dc, mapping.windowOrigin.x, mapping.windowOrigin.y, nullptr);
}

}  // namespace win32print
