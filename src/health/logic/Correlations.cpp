#include "health/logic/Correlations.h"

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

std::string Correlations::twoDecimals(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return std::string(buf) == "-0.00" ? "0.00" : buf;
}

std::string Correlations::sentence(const Measure& factor, const Measure& outcome, int lag,
                                   double rho, int n) {
    const char* when = lag == 0 ? "On days of " : lag == 1 ? "On days after " : "Two days after ";
    return when + factor.high + factor.phrase + " your " + outcome.phrase + " was " +
           (rho >= 0 ? outcome.up : outcome.down) + " (rho " + twoDecimals(rho) + ", " +
           std::to_string(n) + " days)";
}

std::vector<Correlation> Correlations::find(const std::vector<HealthEntry>& entries,
                                            const std::vector<Measure>& factors,
                                            const std::vector<Measure>& outcomes) {
    std::vector<Correlation> out;
    std::vector<DaySeries> outcomeDays;
    for (const Measure& o : outcomes)
        outcomeDays.push_back(DayValues::series(entries, o));
    for (const Measure& f : factors) {
        const DaySeries fd = DayValues::series(entries, f);
        for (std::size_t oi = 0; oi < outcomes.size(); ++oi) {
            const Measure& o = outcomes[oi];
            if (o.name == f.name) continue;
            for (int lag = 0; lag <= kMaxLag; ++lag) {
                std::vector<double> x, y;
                for (const auto& [day, v] : fd)
                    if (auto it = outcomeDays[oi].find(day + lag); it != outcomeDays[oi].end()) {
                        x.push_back(v);
                        y.push_back(it->second);
                    }
                if (int(x.size()) < kMinPairs) continue;
                const auto rho = spearman(x, y);
                if (!rho) continue;
                const int n = int(x.size());
                out.push_back({f.name, o.name, lag, *rho, n, sentence(f, o, lag, *rho, n)});
            }
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const Correlation& a, const Correlation& b) {
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
