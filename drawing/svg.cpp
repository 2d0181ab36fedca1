// SVG elements as text. Text content is escaped for XML; numbers keep one decimal.
#include "drawing/svg.h"

#include <cmath>
#include <cstdio>

namespace {

std::string xml(const std::string& t) {
  std::string s;
  for (char c : t) {
    switch (c) {
      case '&': s += "&amp;"; break;
      case '<': s += "&lt;"; break;
      case '>': s += "&gt;"; break;
      case '"': s += "&quot;"; break;
      default: s += static_cast<unsigned char>(c) < 0x20 ? '?' : c;  // XML allows no control characters
    }
  }
  return s;
}

}  // namespace

std::string numero_svg(double v) {
  double arrotondato = std::round(v * 10) / 10;
  if (arrotondato == 0) arrotondato = 0;  // no "-0"
  char testo[32];
  std::snprintf(testo, sizeof testo, "%.1f", arrotondato);
  std::string s = testo;
  if (s.ends_with(".0")) s.resize(s.size() - 2);
  return s;
}

std::string svg::documento() const {
  std::string l = numero_svg(larghezza_), a = numero_svg(altezza_);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + l +
         "\" height=\"" + a + "\" viewBox=\"0 0 " + l + " " + a +
         "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n" +
         corpo_ + "</svg>\n";
}

void svg::linea(double x1, double y1, double x2, double y2, const std::string& stile) {
  corpo_ += "<line x1=\"" + numero_svg(x1) + "\" y1=\"" + numero_svg(y1) + "\" x2=\"" + numero_svg(x2) + "\" y2=\"" +
            numero_svg(y2) + "\" " + stile + "/>\n";
}

void svg::polilinea(const std::vector<std::pair<double, double>>& punti, const std::string& stile) {
  if (punti.size() < 2) return;
  corpo_ += "<polyline points=\"";
  for (const auto& [x, y] : punti) corpo_ += numero_svg(x) + "," + numero_svg(y) + " ";
  corpo_.back() = '"';
  corpo_ += " fill=\"none\" " + stile + "/>\n";
}

void svg::rettangolo(double x, double y, double larghezza, double altezza, const std::string& stile) {
  corpo_ += "<rect x=\"" + numero_svg(x) + "\" y=\"" + numero_svg(y) + "\" width=\"" + numero_svg(larghezza) +
            "\" height=\"" + numero_svg(altezza) + "\" " + stile + "/>\n";
}

void svg::cerchio(double x, double y, double raggio, const std::string& stile) {
  corpo_ += "<circle cx=\"" + numero_svg(x) + "\" cy=\"" + numero_svg(y) + "\" r=\"" + numero_svg(raggio) + "\" " +
            stile + "/>\n";
}

void svg::testo(double x, double y, const std::string& utf8, const std::string& stile, double rotazione) {
  corpo_ += "<text x=\"" + numero_svg(x) + "\" y=\"" + numero_svg(y) + "\"";
  if (rotazione != 0) {
    corpo_ += " transform=\"rotate(" + numero_svg(rotazione) + " " + numero_svg(x) + " " + numero_svg(y) + ")\"";
  }
  corpo_ += " " + stile + ">" + xml(utf8) + "</text>\n";
}
