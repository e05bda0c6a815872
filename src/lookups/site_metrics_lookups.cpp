// The lookups that fill a slot from a chain of sources: each starts its chain at its own place.
#include "lookups/site_metrics.h"

namespace lookups {

using C = SiteChain;
using S = CSeo::Slot;

// clang-format off
void CSeo::GetPR2(const QString& url) { Fill(S::pr, C::PageRankForm, 0, url); }
void CSeo::GetAlexa(const QString& url) { Fill(S::alexa, C::Alexa, 0, url); }
void CSeo::GetAlexa1(const QString& url) { Fill(S::alexa, C::Alexa, 1, url); }
void CSeo::GetAlexa2(const QString& url) { Fill(S::alexa, C::Alexa, 2, url); }
void CSeo::GetSogouRank(const QString& url) { Fill(S::sogourank, C::SogouRank, 0, url); }
void CSeo::GetSogouRank1(const QString& url) { Fill(S::sogourank, C::SogouRank, 1, url); }
void CSeo::GetSogouRank3(const QString& url) { Fill(S::sogourank, C::SogouRankTool, 0, url); }
void CSeo::GetCnRank(const QString& url) { Fill(S::cnrank, C::ChinaRank, 0, url); }
void CSeo::GetCnRank1(const QString& url) { Fill(S::cnrank, C::ChinaRank, 1, url); }

void CSeo::GetBaiduDates(const QString& url) { Fill(S::baidudates, C::BaiduDates, 0, url); }
void CSeo::GetBaiduS(const QString& url) { Fill(S::baidu1, C::BaiduIndexed, 0, url); }
void CSeo::GetbaiduS1(const QString& url) { Fill(S::baidu1, C::BaiduIndexed, 1, url); }
void CSeo::GetbaiduS2(const QString& url) { Fill(S::baidu1, C::BaiduIndexed, 2, url); }
void CSeo::GetbaiduD(const QString& url) { Fill(S::baidu2, C::BaiduLinks, 0, url); }
void CSeo::GetbaiduD1(const QString& url) { Fill(S::baidu2, C::BaiduLinks, 1, url); }
void CSeo::GetbaiduD2(const QString& url) { Fill(S::baidu2, C::BaiduLinks, 2, url); }
void CSeo::GetGoogleS(const QString& url) { Fill(S::google1, C::GoogleIndexed, 0, url); }
void CSeo::GetGoogleS1(const QString& url) { Fill(S::google1, C::GoogleIndexed, 1, url); }
void CSeo::GetGoogleS2(const QString& url) { Fill(S::google1, C::GoogleIndexed, 2, url); }
void CSeo::GetGoogleD(const QString& url) { Fill(S::google2, C::GoogleLinks, 0, url); }
void CSeo::GetGoogleD1(const QString& url) { Fill(S::google2, C::GoogleLinks, 1, url); }
void CSeo::GetGoogleD2(const QString& url) { Fill(S::google2, C::GoogleLinks, 2, url); }

void CSeo::GetYahooDates(const QString& url) { Fill(S::yahoodates, C::YahooDates, 0, url); }
void CSeo::GetYahooS(const QString& url) { Fill(S::yahoo1, C::YahooIndexed, 0, url); }
void CSeo::GetYahooS1(const QString& url) { Fill(S::yahoo1, C::YahooIndexed, 1, url); }
void CSeo::GetYahooD(const QString& url) { Fill(S::yahoo2, C::YahooLinks, 0, url); }
void CSeo::GetYahooD1(const QString& url) { Fill(S::yahoo2, C::YahooLinks, 1, url); }
void CSeo::GetSogouDates(const QString& url) { Fill(S::sogoudates, C::SogouDates, 0, url); }
void CSeo::GetSogouS(const QString& url) { Fill(S::sogou1, C::SogouIndexed, 0, url); }
void CSeo::GetSogouS1(const QString& url) { Fill(S::sogou1, C::SogouIndexed, 1, url); }
void CSeo::GetSogouD(const QString& url) { Fill(S::sogou2, C::SogouLinks, 0, url); }
void CSeo::GetSogouD1(const QString& url) { Fill(S::sogou2, C::SogouLinks, 1, url); }
void CSeo::GetSosoS(const QString& url) { Fill(S::soso1, C::SosoIndexed, 0, url); }
void CSeo::GetSosoS1(const QString& url) { Fill(S::soso1, C::SosoIndexed, 1, url); }
void CSeo::GetSosoD(const QString& url) { Fill(S::soso2, C::SosoLinks, 0, url); }
void CSeo::GetSosoD1(const QString& url) { Fill(S::soso2, C::SosoLinks, 1, url); }
void CSeo::GetYoudaoDates(const QString& url) { Fill(S::youdaodates, C::YoudaoDates, 0, url); }
void CSeo::GetYoudaoS(const QString& url) { Fill(S::youdao1, C::YoudaoIndexed, 0, url); }
void CSeo::GetYoudaoS1(const QString& url) { Fill(S::youdao1, C::YoudaoIndexed, 1, url); }
void CSeo::GetYoudaoD(const QString& url) { Fill(S::youdao2, C::YoudaoLinks, 0, url); }
void CSeo::GetYoudaoD1(const QString& url) { Fill(S::youdao2, C::YoudaoLinks, 1, url); }
void CSeo::GetLiveS(const QString& url) { Fill(S::live1, C::BingIndexed, 0, url); }
void CSeo::GetLiveS1(const QString& url) { Fill(S::live1, C::BingIndexed, 1, url); }
void CSeo::GetGooglecomS(const QString& url) { Fill(S::googlecom1, C::GoogleComIndexed, 0, url); }
void CSeo::GetGooglecomD(const QString& url) { Fill(S::googlecom2, C::GoogleComLinks, 0, url); }
// clang-format on

}  // namespace lookups
