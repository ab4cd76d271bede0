// The initials are recomputed on every keystroke in the item name field.
#include "catalogue/PinyinInitials.h"
#include "core/Gbk.h"

#include <benchmark/benchmark.h>

using namespace verdalo;

static void BM_InitialsOfGbkName(benchmark::State &state)
{
    const QByteArray name = gbk::encode(QStringLiteral("精品西红柿炒土鸡蛋（大份）"));
    for (auto _ : state)
        benchmark::DoNotOptimize(PinyinInitials(name, 0, 20));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InitialsOfGbkName);

static void BM_ItemInitialsFromText(benchmark::State &state)
{
    const QString name = QStringLiteral("精品西红柿炒土鸡蛋（大份）");
    for (auto _ : state)
        benchmark::DoNotOptimize(itemInitials(name));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ItemInitialsFromText);
