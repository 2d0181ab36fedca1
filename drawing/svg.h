// A plain SVG picture built element by element: lines, polylines, rectangles, circles
// and text, each with its presentation attributes written out as given. Coordinates
// are pixels from the top left corner.
#pragma once

#include <string>
#include <utility>
#include <vector>

class svg {
 public:
  svg(double larghezza, double altezza) : larghezza_(larghezza), altezza_(altezza) {}

  // The height may be fixed once everything is drawn.
  void imposta_altezza(double altezza) { altezza_ = altezza; }

  void linea(double x1, double y1, double x2, double y2, const std::string& stile);
  void polilinea(const std::vector<std::pair<double, double>>& punti, const std::string& stile);
  void rettangolo(double x, double y, double larghezza, double altezza, const std::string& stile);
  void cerchio(double x, double y, double raggio, const std::string& stile);
  // Text anchored at (x, y); `rotazione` in degrees about that point, clockwise.
  void testo(double x, double y, const std::string& utf8, const std::string& stile, double rotazione = 0);

  // The whole document.
  std::string documento() const;

 private:
  double larghezza_;
  double altezza_;
  std::string corpo_;
};

// A number as SVG wants it: at most one decimal.
std::string numero_svg(double v);
