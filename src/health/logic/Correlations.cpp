#include "health/logic/Correlations.h"

#include <boost/math/distributions/students_t.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace tavrin::health {
namespace {

std::vector<double> ranks(const std::vector<double>& v) {
    std::vector<std::size_t> order(v.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](auto a, auto b) { return v[a] < v[b]; });
    std::vector<double> r(v.size());
    for (std::size_t i = 0; i < order.size();) {
        std::size_t j = i;
        while (j + 1 < order.size() && v[order[j + 1]] == v[order[i]])
            ++j;
        const double mean = (double(i) + double(j)) / 2 + 1; // ranks count from 1
        for (std::size_t k = i; k <= j; ++k)
            r[order[k]] = mean;
        i = j + 1;
    }
    return r;
}

std::string oneDecimal(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return std::string(buf) == "-0.0" ? "0.0" : buf;
}

std::string days(int n) {
    return std::to_string(n) + (n == 1 ? " day" : " days");
}

// What a factor is compared as: an ordered factor as it is, a category as one series per kind,
// 1 on the days mostly of that kind and 0 on the rest.
std::vector<std::pair<std::string, DaySeries>> sides(const std::vector<HealthEntry>& entries,
                                                     const Measure& f) {
    if (f.kinds.empty()) return {{std::string(), DayValues::series(entries, f)}};
    std::vector<std::pair<std::string, DaySeries>> out;
    for (std::size_t k = 0; k < f.kinds.size(); ++k) {
        Measure share = f;
        share.value = [value = f.value, k](const HealthEntry& e) -> std::optional<double> {
            const auto v = value(e);
            if (!v) return std::nullopt;
            return *v == double(k) ? 1.0 : 0.0;
        };
        DaySeries s = DayValues::series(entries, share);
        for (auto& [day, v] : s)
            v = v >= 0.5 ? 1.0 : 0.0;
        out.emplace_back(f.kinds[k], std::move(s));
    }
    return out;
}

std::string kindSentence(const std::string& kind, const Measure& outcome, const Correlation& c) {
    const std::string when = c.lag == 0   ? "On " + kind + " days"
                             : c.lag == 1 ? "On days after a " + kind + " day"
                                          : "Two days after a " + kind + " day";
    return when + " your " + outcome.phrase + " was " +
           (c.meanKind >= c.meanRest ? outcome.up : outcome.down) + ": " + oneDecimal(c.meanKind) +
           " on " + days(c.nKind) + " against " + oneDecimal(c.meanRest) + " on the other " +
           days(c.n - c.nKind) + " (" + Correlations::pText(c.p) + ")";
}

} // namespace

std::optional<double> Correlations::spearman(const std::vector<double>& x,
                                             const std::vector<double>& y) {
    if (x.size() != y.size() || x.size() < 2) return std::nullopt;
    const auto rx = ranks(x), ry = ranks(y);
    const double mean = (double(x.size()) + 1) / 2;
    double sxy = 0, sxx = 0, syy = 0;
    for (std::size_t i = 0; i < rx.size(); ++i) {
        sxy += (rx[i] - mean) * (ry[i] - mean);
        sxx += (rx[i] - mean) * (rx[i] - mean);
        syy += (ry[i] - mean) * (ry[i] - mean);
    }
    if (sxx == 0 || syy == 0) return std::nullopt;
    return sxy / std::sqrt(sxx * syy);
}

double Correlations::pValue(double rho, int n) {
    if (n < 3 || !std::isfinite(rho)) return 1;
    if (std::fabs(rho) >= 1) return 0;
    const double t = std::fabs(rho) * std::sqrt(double(n - 2) / (1 - rho * rho));
    const boost::math::students_t dist(n - 2);
    return std::min(1.0, 2 * boost::math::cdf(boost::math::complement(dist, t)));
}

std::vector<bool> Correlations::holding(const std::vector<double>& p, double q) {
    std::vector<std::size_t> order(p.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](auto a, auto b) { return p[a] < p[b]; });
    // Step up: the largest rank k whose p is within k/m of q, and every smaller p with it.
    const double m = double(p.size());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (p[order[i]] <= q * double(i + 1) / m) kept = i + 1;
    std::vector<bool> out(p.size(), false);
    for (std::size_t i = 0; i < kept; ++i)
        out[order[i]] = true;
    return out;
}

std::string Correlations::twoDecimals(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return std::string(buf) == "-0.00" ? "0.00" : buf;
}

std::string Correlations::pText(double p) {
    if (p < 0.001) return "p < 0.001";
    char buf[32];
    std::snprintf(buf, sizeof buf, "p = %.3f", p);
    return buf;
}

std::string Correlations::sentence(const Measure& factor, const Measure& outcome, int lag,
                                   double rho, int n, double p) {
    const char* when = lag == 0 ? "On days of " : lag == 1 ? "On days after " : "Two days after ";
    return when + factor.high + factor.phrase + " your " + outcome.phrase + " was " +
           (rho >= 0 ? outcome.up : outcome.down) + " (rho " + twoDecimals(rho) + ", " + pText(p) +
           ", " + days(n) + ")";
}

std::string Correlations::testedText(const Findings& f) {
    if (f.tested == 0)
        return "No factor and outcome share " + std::to_string(kMinPairs) +
               " days in this range, too few to compare.";
    const std::string tested = std::to_string(f.tested) +
                               (f.tested == 1 ? " pair of a factor and an outcome was tested; "
                                              : " pairs of a factor and an outcome were tested; ");
    const std::string held = f.found.empty()       ? "none holds"
                             : f.found.size() == 1 ? "1 holds"
                                                   : std::to_string(f.found.size()) + " hold";
    return tested + held + " once chance is allowed for (false discovery rate " +
           std::to_string(int(kFalseDiscoveryRate * 100 + 0.5)) + " %).";
}

Findings Correlations::study(const std::vector<HealthEntry>& entries,
                             const std::vector<Measure>& factors,
                             const std::vector<Measure>& outcomes) {
    Findings out;
    std::vector<Correlation> all;
    std::vector<DaySeries> outcomeDays;
    for (const Measure& o : outcomes)
        outcomeDays.push_back(DayValues::series(entries, o));
    for (const Measure& f : factors) {
        const auto compared = sides(entries, f);
        for (std::size_t oi = 0; oi < outcomes.size(); ++oi) {
            const Measure& o = outcomes[oi];
            if (o.name == f.name || (!f.subject.empty() && f.subject == o.subject)) continue;
            for (int lag = 0; lag <= kMaxLag; ++lag)
                for (const auto& [kind, fd] : compared) {
                    // Only days exactly `lag` apart pair up: a gap is never bridged.
                    std::vector<double> x, y;
                    for (const auto& [day, v] : fd)
                        if (auto it = outcomeDays[oi].find(day + lag);
                            it != outcomeDays[oi].end()) {
                            x.push_back(v);
                            y.push_back(it->second);
                        }
                    const int n = int(x.size());
                    if (n < kMinPairs) continue;
                    if (lag > 0) out.lookedBack = true;
                    Correlation c;
                    c.outcome = o.name;
                    c.lag = lag;
                    c.n = n;
                    if (!kind.empty()) {
                        double sumKind = 0, sumRest = 0;
                        for (std::size_t i = 0; i < x.size(); ++i) {
                            (x[i] > 0 ? sumKind : sumRest) += y[i];
                            c.nKind += x[i] > 0;
                        }
                        if (c.nKind < kMinKindDays || n - c.nKind < kMinKindDays) continue;
                        c.meanKind = sumKind / c.nKind;
                        c.meanRest = sumRest / (n - c.nKind);
                    }
                    const auto rho = spearman(x, y);
                    if (!rho) continue;
                    c.rho = *rho;
                    c.p = pValue(*rho, n);
                    if (kind.empty()) {
                        c.factor = f.name;
                        c.words = sentence(f, o, lag, c.rho, n, c.p);
                    } else {
                        c.factor = f.name + ": " + kind;
                        c.words = kindSentence(kind, o, c);
                    }
                    all.push_back(std::move(c));
                }
        }
    }
    out.tested = int(all.size());
    std::vector<double> p;
    for (const Correlation& c : all)
        p.push_back(c.p);
    const std::vector<bool> hold = holding(p, kFalseDiscoveryRate);
    for (std::size_t i = 0; i < all.size(); ++i)
        if (hold[i]) out.found.push_back(std::move(all[i]));
    std::stable_sort(out.found.begin(), out.found.end(),
                     [](const Correlation& a, const Correlation& b) {
                         const double sa = std::fabs(a.rho), sb = std::fabs(b.rho);
                         return sa != sb ? sa > sb : a.n > b.n;
                     });
    return out;
}

std::string Correlations::line(const Correlation& c) {
    return c.factor + '\t' + c.outcome + '\t' + std::to_string(c.lag) + '\t' + twoDecimals(c.rho) +
           '\t' + std::to_string(c.n);
}

} // namespace tavrin::health
