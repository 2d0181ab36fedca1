// The Win32 window and message box, looked at as a person would: the window's pixels
// read back from the screen's copy of it, the box found among the top-level windows and
// closed by a click of the pointer on OK. Without a desktop (no display under Wine)
// these tests are skipped.
#include "platform/finestra_windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "platform/piattaforma_prova.h"

namespace {

struct rettangolo {
  int x0 = 0, y0 = 0, x1 = -1, y1 = -1;  // inclusive; empty when x1 < x0
  bool vuoto() const { return x1 < x0 || y1 < y0; }
};

// The smallest rectangle of the client area of `w` holding every pixel that differs
// from the pixel at 0, 0 (the window's face).
rettangolo inchiostro(HWND w) {
  RECT r;
  GetClientRect(w, &r);
  HDC finestra = GetDC(w);
  HDC memoria = CreateCompatibleDC(finestra);
  HBITMAP immagine = CreateCompatibleBitmap(finestra, r.right, r.bottom);
  HGDIOBJ prima = SelectObject(memoria, immagine);
  BitBlt(memoria, 0, 0, r.right, r.bottom, finestra, 0, 0, SRCCOPY);
  COLORREF sfondo = GetPixel(memoria, 0, 0);
  rettangolo t{r.right, r.bottom, -1, -1};
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0; x < r.right; ++x) {
      if (GetPixel(memoria, x, y) == sfondo) continue;
      t.x0 = std::min(t.x0, x), t.y0 = std::min(t.y0, y), t.x1 = std::max(t.x1, x), t.y1 = std::max(t.y1, y);
    }
  }
  SelectObject(memoria, prima);
  DeleteObject(immagine);
  DeleteDC(memoria);
  ReleaseDC(w, finestra);
  return t;
}

int dpi_schermo() {
  HDC schermo = GetDC(nullptr);
  int dpi = GetDeviceCaps(schermo, LOGPIXELSY);
  ReleaseDC(nullptr, schermo);
  return dpi;
}

// The visible top-level window of this process (not of another test's) of class
// `classe` with the program's title, or null.
HWND trova(const wchar_t* classe) {
  for (HWND w = FindWindowExW(nullptr, nullptr, classe, titolo_finestra); w != nullptr;
       w = FindWindowExW(nullptr, w, classe, titolo_finestra)) {
    DWORD processo = 0;
    GetWindowThreadProcessId(w, &processo);
    if (processo == GetCurrentProcessId() && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// The message box of this process with the program's title, within five seconds.
HWND attendi_scatola() {
  auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < limite) {
    if (HWND scatola = trova(L"#32770")) return scatola;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return nullptr;
}

// What the box shows, read before it is closed.
struct vista_scatola {
  HWND finestra = nullptr;
  HWND proprietario = nullptr;
  std::vector<std::wstring> pulsanti;
  std::vector<std::wstring> testi;
  int icone = 0;
};

BOOL CALLBACK guarda_figlio(HWND figlio, LPARAM dati) {
  auto& v = *reinterpret_cast<vista_scatola*>(dati);
  if (!IsWindowVisible(figlio)) return TRUE;
  wchar_t classe[64], testo[256];
  GetClassNameW(figlio, classe, 64);
  GetWindowTextW(figlio, testo, 256);
  LONG_PTR stile = GetWindowLongPtrW(figlio, GWL_STYLE);
  bool statico = lstrcmpiW(classe, L"Static") == 0;
  if (lstrcmpiW(classe, L"Button") == 0) {
    v.pulsanti.push_back(testo);
  } else if (statico && (stile & SS_TYPEMASK) == SS_ICON) {
    if (SendMessageW(figlio, STM_GETICON, 0, 0) != 0) ++v.icone;  // an empty icon control shows nothing
  } else if (statico) {
    v.testi.push_back(testo);
  }
  return TRUE;
}

// A click of the pointer's first button in the middle of `w`, through the system's input.
void clicca(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT clic[2]{};
  clic[0].type = clic[1].type = INPUT_MOUSE;
  clic[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clic[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clic, sizeof(INPUT));
}

}  // namespace

class FinestraWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    piattaforma = apri_piattaforma_windows(cartella.cartella);
    if (piattaforma == nullptr) GTEST_SKIP() << "no desktop to show a window on";
  }

  PiattaformaProva cartella;
  std::unique_ptr<Piattaforma> piattaforma;
};

// The label is on the screen when mostra_finestra returns, before any work, inside its
// rectangle; the window goes away with the platform.
TEST_F(FinestraWindows, TheWaitWindowIsPaintedBeforeTheWorkStartsAndGoesAwayAtTheEnd) {
  EXPECT_EQ(piattaforma->cartella_programma(), cartella.cartella);
  piattaforma->mostra_finestra("Attendere");
  HWND w = trova(classe_finestra);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(IsWindowVisible(w));
  int dpi = dpi_schermo();
  RECT cliente;
  GetClientRect(w, &cliente);
  EXPECT_EQ(cliente.right, MulDiv(4200, dpi, 1440));
  EXPECT_EQ(cliente.bottom, MulDiv(2688, dpi, 1440));
  rettangolo t = inchiostro(w);
  ASSERT_FALSE(t.vuoto()) << "the label is not painted";
  EXPECT_GE(t.x0, MulDiv(960, dpi, 1440));
  EXPECT_GE(t.y0, MulDiv(960, dpi, 1440));
  EXPECT_LT(t.x1, MulDiv(960 + 2652, dpi, 1440));
  EXPECT_LT(t.y1, MulDiv(960 + 792, dpi, 1440));
  EXPECT_GT(t.x1 - t.x0, MulDiv(2652, dpi, 1440) / 2) << "the label's face is too small";
  piattaforma.reset();
  EXPECT_EQ(trova(classe_finestra), nullptr);
}

// The message of a taken header slot: the box over the window with the exact text, one
// OK button and no icon, shown until OK is clicked.
TEST_F(FinestraWindows, TheMessageBoxIsClosedByOk) {
  vista_scatola v;
  std::thread persona([&] {
    v.finestra = attendi_scatola();
    if (v.finestra == nullptr) return;
    v.proprietario = GetWindow(v.finestra, GW_OWNER);
    EnumChildWindows(v.finestra, guarda_figlio, reinterpret_cast<LPARAM>(&v));
    HWND ok = GetDlgItem(v.finestra, IDOK);
    SetForegroundWindow(v.finestra);
    for (int prova = 0; prova < 50 && IsWindow(v.finestra); ++prova) {
      clicca(ok);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  });
  piattaforma->mostra_finestra("Attendere");
  piattaforma->mostra_messaggio(" Errore n. 1250");
  persona.join();

  ASSERT_NE(v.finestra, nullptr) << "no message box appeared";
  EXPECT_EQ(v.proprietario, trova(classe_finestra));
  EXPECT_EQ(v.pulsanti, std::vector<std::wstring>{L"OK"});
  EXPECT_EQ(v.testi, std::vector<std::wstring>{L" Errore n. 1250"});
  EXPECT_EQ(v.icone, 0);
  EXPECT_FALSE(IsWindow(v.finestra));
}
