#include "SampleTexts.h"

#include <unicode/ucnv.h>

#include <stdexcept>

#include "platform/CodePageDecoder.h"
#include "platform/CodePages.h"

namespace zeb::test {

namespace {

using Sentences = std::vector<std::u16string>;

const Sentences Russian = {
    u"Поезд пришёл на станцию поздно вечером, когда фонари уже горели вдоль всей платформы.",
    u"Старик долго смотрел в окно и думал о том, как изменился город за последние годы.",
    u"На столе лежали письма, которые никто не решался открыть до самого утра.",
    u"Дети бегали по двору, а их матери разговаривали у подъезда о ценах на хлеб.",
    u"Осенний ветер срывал последние листья с деревьев и гнал их по пустой улице.",
    u"Он понимал, что завтра придётся сказать правду, но не знал, с чего начать.",
    u"В библиотеке было тихо, только часы на стене отмеряли время ровным стуком.",
    u"Река разлилась весной так широко, что дорогу к соседней деревне закрыли на месяц.",
    u"Её голос звучал спокойно, хотя руки заметно дрожали, когда она подавала чай.",
    u"Мы шли через лес почти до рассвета и остановились только у старой мельницы.",
    u"«Зачем ты вернулся?» — спросила она, не поднимая глаз от книги.",
    u"Никто в посёлке не помнил такой холодной зимы, как в тот год.",
};

const Sentences Ukrainian = {
    u"Потяг прибув на станцію пізно ввечері, коли ліхтарі вже світилися вздовж усієї платформи.",
    u"Старий довго дивився у вікно і думав про те, як змінилося місто за останні роки.",
    u"На столі лежали листи, які ніхто не наважувався відкрити до самого ранку.",
    u"Діти бігали подвір'ям, а їхні матері розмовляли біля під'їзду про ціни на хліб.",
    u"Осінній вітер зривав останнє листя з дерев і гнав його порожньою вулицею.",
    u"Він розумів, що завтра доведеться сказати правду, але не знав, з чого почати.",
    u"У бібліотеці було тихо, лише годинник на стіні відмірював час рівним стуком.",
    u"Річка розлилася навесні так широко, що дорогу до сусіднього села закрили на місяць.",
    u"Її голос звучав спокійно, хоча руки помітно тремтіли, коли вона подавала чай.",
    u"Ми йшли через ліс майже до світанку і зупинилися лише біля старого млина.",
    u"Ґанок старої хати був засипаний снігом, і їжак ховався під ним до весни.",
    u"Ніхто в селищі не пам'ятав такої холодної зими, як того року.",
};

const Sentences Greek = {
    u"Το τρένο έφτασε στον σταθμό αργά το βράδυ, όταν τα φανάρια είχαν ήδη ανάψει.",
    u"Ο γέρος κοίταζε για πολύ ώρα από το παράθυρο και σκεφτόταν πόσο είχε αλλάξει η πόλη.",
    u"Πάνω στο τραπέζι βρίσκονταν γράμματα που κανείς δεν τολμούσε να ανοίξει.",
    u"Τα παιδιά έτρεχαν στην αυλή, ενώ οι μητέρες τους συζητούσαν για τις τιμές του ψωμιού.",
    u"Ο φθινοπωρινός άνεμος έπαιρνε τα τελευταία φύλλα από τα δέντρα.",
    u"Ήξερε ότι αύριο θα έπρεπε να πει την αλήθεια, αλλά δεν ήξερε από πού να αρχίσει.",
    u"Στη βιβλιοθήκη επικρατούσε ησυχία και μόνο το ρολόι μετρούσε τον χρόνο.",
    u"Το ποτάμι πλημμύρισε την άνοιξη και ο δρόμος προς το χωριό έκλεισε για έναν μήνα.",
    u"Η φωνή της ακουγόταν ήρεμη, αν και τα χέρια της έτρεμαν όταν σέρβιρε το τσάι.",
    u"Περπατήσαμε μέσα στο δάσος σχεδόν μέχρι την αυγή και σταματήσαμε στον παλιό μύλο.",
    u"Άνθρωποι από όλη την περιοχή ήρθαν για να ακούσουν τον Άρη να τραγουδά.",
};

const Sentences Japanese = {
    u"列車が駅に着いたのは夜遅く、ホームの灯りがすでにともっていた頃だった。",
    u"老人は長いあいだ窓の外を眺め、この数年で町がどれほど変わったかを考えていた。",
    u"机の上には、誰も朝まで開ける勇気のなかった手紙が置かれていた。",
    u"子どもたちは庭を走り回り、母親たちは玄関の前でパンの値段について話していた。",
    u"秋の風が木々から最後の葉を奪い、誰もいない通りへと運んでいった。",
    u"明日には本当のことを言わなければならないと分かっていたが、どう始めればよいか分からなかった。",
    u"図書館は静かで、壁の時計だけが規則正しく時を刻んでいた。",
    u"春に川が大きくあふれ、隣の村へ続く道はひと月のあいだ閉ざされた。",
    u"彼女の声は落ち着いていたが、お茶を出すとき手がかすかに震えていた。",
    u"私たちは夜明け近くまで森を歩き、古い水車小屋のそばでようやく足を止めた。",
    u"カタカナで書かれた看板がいくつも並び、ラーメン屋の前には行列ができていた。",
};

const Sentences Chinese = {
    u"火车到站的时候已经是深夜，站台上的路灯早已亮起。",
    u"老人久久地望着窗外，想着这些年来城市发生了多大的变化。",
    u"桌子上放着几封信，直到第二天早上也没有人敢打开。",
    u"孩子们在院子里跑来跑去，他们的母亲站在楼门口谈论面包的价格。",
    u"秋风吹落了树上最后的叶子，把它们卷到空荡荡的街道上。",
    u"他知道明天必须说出真相，却不知道该从哪里说起。",
    u"图书馆里很安静，只有墙上的钟在均匀地滴答作响。",
    u"春天河水泛滥，通往邻村的道路被封闭了整整一个月。",
    u"她的声音听起来很平静，可是端茶的时候手却在微微发抖。",
    u"我们在树林里走了几乎一整夜，直到天快亮时才在旧磨坊旁停下来。",
    u"这座古老的城市有许多狭窄的小巷，每一条都藏着自己的故事。",
};

const Sentences Korean = {
    u"기차가 역에 도착했을 때는 이미 밤이 깊었고 승강장의 불빛이 켜져 있었다.",
    u"노인은 오랫동안 창밖을 바라보며 지난 몇 년 사이에 도시가 얼마나 변했는지 생각했다.",
    u"책상 위에는 아무도 아침까지 열어 볼 용기를 내지 못한 편지들이 놓여 있었다.",
    u"아이들은 마당을 뛰어다녔고 어머니들은 현관 앞에서 빵값에 대해 이야기했다.",
    u"가을바람이 나무에서 마지막 잎을 떼어 내어 텅 빈 거리로 날려 보냈다.",
    u"그는 내일 진실을 말해야 한다는 것을 알았지만 어디서부터 시작해야 할지 몰랐다.",
    u"도서관은 조용했고 벽에 걸린 시계만이 일정하게 시간을 재고 있었다.",
    u"봄에 강물이 넘쳐서 이웃 마을로 가는 길이 한 달 동안 막혔다.",
    u"그녀의 목소리는 차분했지만 차를 내올 때 손이 조금 떨리고 있었다.",
    u"우리는 거의 새벽까지 숲을 걸었고 오래된 방앗간 옆에서야 겨우 멈춰 섰다.",
};

const Sentences Western = {
    u"Le train est arrivé à la gare tard le soir, quand les réverbères étaient déjà allumés.",
    u"Le vieil homme regardait longtemps par la fenêtre et pensait à sa ville d'autrefois.",
    u"Sur la table se trouvaient des lettres que personne n'osait ouvrir avant le matin.",
    u"Les enfants couraient dans la cour pendant que leurs mères parlaient du prix du pain.",
    u"Der Zug kam spät am Abend an, als die Laternen am Bahnsteig schon brannten.",
    u"Der alte Mann sah lange aus dem Fenster und dachte darüber nach, wie sehr sich die Stadt verändert hatte.",
    u"Auf dem Tisch lagen Briefe, die bis zum Morgen niemand zu öffnen wagte.",
    u"Der Herbstwind riss die letzten Blätter von den Bäumen und trieb sie über die leere Straße.",
    u"Il savait qu'il faudrait dire la vérité demain, mais il ne savait pas par où commencer.",
    u"Im Frühling trat der Fluss so weit über die Ufer, dass die Straße einen Monat gesperrt blieb.",
    u"« Pourquoi es-tu revenu ? » demanda-t-elle sans lever les yeux de son livre.",
};

// Several scripts at once: what UTF-8 and UTF-16 files hold more often than any 8-bit page.
Sentences Mixed()
{
    Sentences mixed;
    for (const Sentences* language : {&Western, &Russian, &Greek, &Japanese, &Korean})
        mixed.insert(mixed.end(), language->begin(), language->begin() + 3);
    return mixed;
}

std::u16string Join(const Sentences& sentences, int32_t codePage, size_t bytes, uint32_t seed)
{
    std::u16string text;
    uint32_t state = seed;
    while (Encode(text, codePage).size() < bytes) {
        state = state * 1103515245u + 12345u;
        text += sentences[(state >> 16) % sentences.size()];
        text += (state >> 8) % 4 == 0 ? u"\r\n\r\n" : u" ";
    }
    return text;
}

}  // namespace

std::vector<uint8_t> Encode(const std::u16string& text, int32_t codePage)
{
    if (codePage == UnicodeCodePage) {
        std::vector<uint8_t> bytes;
        for (char16_t unit : text) {
            bytes.push_back(uint8_t(unit));
            bytes.push_back(uint8_t(unit >> 8));
        }
        return bytes;
    }
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(IcuConverterName(codePage), &status);
    if (U_FAILURE(status))
        throw std::invalid_argument("no converter");
    std::vector<uint8_t> bytes(text.size() * 4 + 16);
    int32_t length = ucnv_fromUChars(converter, reinterpret_cast<char*>(bytes.data()),
                                     int32_t(bytes.size()), text.data(), int32_t(text.size()),
                                     &status);
    ucnv_close(converter);
    bytes.resize(size_t(length));
    return bytes;
}

std::vector<SampleText> SampleTexts()
{
    struct Kind {
        const char* language;
        Sentences sentences;
        int32_t codePage;
    };
    const Kind kinds[] = {
        {"Russian", Russian, 1251},    {"Russian", Russian, 866},
        {"Russian", Russian, 20866},   {"Ukrainian", Ukrainian, 1251},
        {"Greek", Greek, 1253},        {"Japanese", Japanese, 932},
        {"Chinese", Chinese, 936},     {"Korean", Korean, 949},
        {"Western", Western, 1252},    {"mixed", Mixed(), 65001},
        {"mixed", Mixed(), UnicodeCodePage},
    };
    std::vector<SampleText> texts;
    for (const Kind& kind : kinds) {
        uint32_t seed = 7;
        for (size_t bytes : {2048, 3072, 6144, 12288}) {
            std::u16string text = Join(kind.sentences, kind.codePage, bytes, seed++);
            if (kind.codePage == UnicodeCodePage && bytes >= 6144)
                text.insert(text.begin(), u'\uFEFF');
            texts.push_back({kind.language, kind.codePage, Encode(text, kind.codePage)});
        }
    }
    return texts;
}

}  // namespace zeb::test
