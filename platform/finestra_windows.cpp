// The program's window on Win32: a client area of 4200 x 2688 twips with one label
// at 960, 960, 2652 x 792 twips in "MS Sans Serif" of 24 points, bold, and no other
// controls; at 96 pixels to the inch that is 280 x 179 pixels with the label at 64, 64,
// 177 x 53. The measures are scaled to the screen's DPI (the manifest declares the
// program DPI-aware), and the face is made a point smaller at a time while the text
// would not fit the label. The window handles its messages only while the message box
// runs its own loop; the run itself never waits for it.
#include "platform/finestra_windows.h"

#include <windows.h>
// After windows.h, whose types it uses:
#include <dwmapi.h>

#include <iostream>

#include "platform/console.h"
#include "platform/piattaforma_programma.h"
#include "platform/testo_windows.h"

namespace {

constexpr int twip_per_pollice = 1440;
constexpr int larghezza_twip = 4200, altezza_twip = 2688;
constexpr RECT etichetta_twip{960, 960, 960 + 2652, 960 + 792};
constexpr int punti_etichetta = 24;
constexpr DWORD stile = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// What the window procedure paints: the label's text, face and rectangle.
struct dati_finestra {
  std::wstring testo;
  HFONT carattere = nullptr;
  RECT rettangolo{};
};

LRESULT CALLBACK procedura(HWND finestra, UINT messaggio, WPARAM w, LPARAM l) {
  auto* dati = reinterpret_cast<dati_finestra*>(GetWindowLongPtrW(finestra, GWLP_USERDATA));
  if (messaggio == WM_PAINT && dati != nullptr) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(finestra, &ps);
    HGDIOBJ prima = SelectObject(dc, dati->carattere);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, dati->testo.c_str(), static_cast<int>(dati->testo.size()), &dati->rettangolo,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, prima);
    EndPaint(finestra, &ps);
    return 0;
  }
  // The run ends the program, not the close button: closing is ignored while it works.
  if (messaggio == WM_CLOSE) return 0;
  return DefWindowProcW(finestra, messaggio, w, l);
}

int pixel(int twip, int dpi) { return MulDiv(twip, dpi, twip_per_pollice); }

class PiattaformaWindows : public Piattaforma {
 public:
  PiattaformaWindows(std::string cartella, int dpi) : cartella_(std::move(cartella)), dpi_(dpi) {}
  ~PiattaformaWindows() override;
  PiattaformaWindows(const PiattaformaWindows&) = delete;
  PiattaformaWindows& operator=(const PiattaformaWindows&) = delete;

  bool crea();
  void mostra_finestra(const std::string& etichetta) override;
  void mostra_messaggio(const std::string& testo) override;
  void mostra_fallimento(const std::string& testo) override;
  std::string cartella_programma() const override { return cartella_; }

 private:
  HFONT carattere_entro(HDC dc, const std::wstring& testo, int larghezza) const;

  std::string cartella_;
  int dpi_;
  HWND finestra_ = nullptr;
  dati_finestra dati_;
  PiattaformaConsole eco_{cartella_, &std::cout, std::cerr};
};

PiattaformaWindows::~PiattaformaWindows() {
  if (finestra_ != nullptr) DestroyWindow(finestra_);
  if (dati_.carattere != nullptr) DeleteObject(dati_.carattere);
}

// The window, not shown yet: its client area at the centre of the desktop's work area.
bool PiattaformaWindows::crea() {
  HINSTANCE istanza = GetModuleHandleW(nullptr);
  WNDCLASSEXW classe{};
  classe.cbSize = sizeof classe;
  classe.lpfnWndProc = procedura;
  classe.hInstance = istanza;
  classe.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT));
  classe.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  classe.lpszClassName = classe_finestra;
  if (RegisterClassExW(&classe) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  RECT r{0, 0, pixel(larghezza_twip, dpi_), pixel(altezza_twip, dpi_)};
  AdjustWindowRectEx(&r, stile, FALSE, 0);
  RECT lavoro{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &lavoro, 0);
  int larghezza = r.right - r.left, altezza = r.bottom - r.top;
  int x = (lavoro.left + lavoro.right - larghezza) / 2, y = (lavoro.top + lavoro.bottom - altezza) / 2;
  finestra_ = CreateWindowExW(0, classe_finestra, titolo_finestra, stile, x, y, larghezza, altezza, nullptr, nullptr,
                              istanza, nullptr);
  if (finestra_ == nullptr) return false;
  dati_.rettangolo = {pixel(etichetta_twip.left, dpi_), pixel(etichetta_twip.top, dpi_),
                      pixel(etichetta_twip.right, dpi_), pixel(etichetta_twip.bottom, dpi_)};
  SetWindowLongPtrW(finestra_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dati_));
  return true;
}

// The label's face, down to half its size until `testo` fits `larghezza` pixels.
HFONT PiattaformaWindows::carattere_entro(HDC dc, const std::wstring& testo, int larghezza) const {
  for (int punti = punti_etichetta;; --punti) {
    HFONT f =
        CreateFontW(-MulDiv(punti, dpi_, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
    if (punti <= punti_etichetta / 2) return f;
    HGDIOBJ prima = SelectObject(dc, f);
    SIZE misura{};
    GetTextExtentPoint32W(dc, testo.c_str(), static_cast<int>(testo.size()), &misura);
    SelectObject(dc, prima);
    if (misura.cx <= larghezza) return f;
    DeleteObject(f);
  }
}

// Shows the window and paints the label before returning: UpdateWindow paints at once,
// and the compositor is waited for, so the label is on the screen before the work.
void PiattaformaWindows::mostra_finestra(const std::string& etichetta) {
  eco_.mostra_finestra(etichetta);
  dati_.testo = in_utf16(etichetta);
  HDC dc = GetDC(finestra_);
  HFONT nuovo = carattere_entro(dc, dati_.testo, dati_.rettangolo.right - dati_.rettangolo.left);
  ReleaseDC(finestra_, dc);
  if (dati_.carattere != nullptr) DeleteObject(dati_.carattere);
  dati_.carattere = nuovo;
  if (!IsWindowVisible(finestra_)) ShowWindow(finestra_, SW_SHOW);
  SetForegroundWindow(finestra_);
  InvalidateRect(finestra_, nullptr, TRUE);
  UpdateWindow(finestra_);
  GdiFlush();
  // The messages of the window's first showing (activation, the frame), then the
  // compositor's next frame.
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
  DwmFlush();
}

// A modal box over the window, with the program's title, one OK button and no icon.
void PiattaformaWindows::mostra_messaggio(const std::string& testo) {
  eco_.mostra_messaggio(testo);
  MessageBoxW(finestra_, in_utf16(testo).c_str(), titolo_finestra, MB_OK | MB_SETFOREGROUND);
}

// The same box, with the warning icon; standard error has the line already.
void PiattaformaWindows::mostra_fallimento(const std::string& testo) {
  MessageBoxW(finestra_, in_utf16(testo).c_str(), titolo_finestra, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

}  // namespace

std::unique_ptr<Piattaforma> apri_piattaforma_windows(std::string cartella) {
  HDC schermo = GetDC(nullptr);
  int dpi = schermo != nullptr ? GetDeviceCaps(schermo, LOGPIXELSY) : 96;
  if (schermo != nullptr) ReleaseDC(nullptr, schermo);
  auto p = std::make_unique<PiattaformaWindows>(std::move(cartella), dpi > 0 ? dpi : 96);
  if (!p->crea()) return nullptr;
  return p;
}

std::unique_ptr<Piattaforma> apri_piattaforma_programma(const std::string& cartella, const std::string&) {
  if (std::unique_ptr<Piattaforma> finestra = apri_piattaforma_windows(cartella)) return finestra;
  return std::make_unique<PiattaformaConsole>(cartella, &std::cout, std::cerr);
}
