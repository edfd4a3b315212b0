; A TOC of 1024 entries is accepted (all share one dependency region).
; expect-exit: 0
.toc
    .dep "d0"
        .region shared
    .end
    .dep "d1"
        .region shared
    .end
    .dep "d2"
        .region shared
    .end
    .dep "d3"
        .region shared
    .end
    .dep "d4"
        .region shared
    .end
    .dep "d5"
        .region shared
    .end
    .dep "d6"
        .region shared
    .end
    .dep "d7"
        .region shared
    .end
    .dep "d8"
        .region shared
    .end
    .dep "d9"
        .region shared
    .end
    .dep "d10"
        .region shared
    .end
    .dep "d11"
        .region shared
    .end
    .dep "d12"
        .region shared
    .end
    .dep "d13"
        .region shared
    .end
    .dep "d14"
        .region shared
    .end
    .dep "d15"
        .region shared
    .end
    .dep "d16"
        .region shared
    .end
    .dep "d17"
        .region shared
    .end
    .dep "d18"
        .region shared
    .end
    .dep "d19"
        .region shared
    .end
    .dep "d20"
        .region shared
    .end
    .dep "d21"
        .region shared
    .end
    .dep "d22"
        .region shared
    .end
    .dep "d23"
        .region shared
    .end
    .dep "d24"
        .region shared
    .end
    .dep "d25"
        .region shared
    .end
    .dep "d26"
        .region shared
    .end
    .dep "d27"
        .region shared
    .end
    .dep "d28"
        .region shared
    .end
    .dep "d29"
        .region shared
    .end
    .dep "d30"
        .region shared
    .end
    .dep "d31"
        .region shared
    .end
    .dep "d32"
        .region shared
    .end
    .dep "d33"
        .region shared
    .end
    .dep "d34"
        .region shared
    .end
    .dep "d35"
        .region shared
    .end
    .dep "d36"
        .region shared
    .end
    .dep "d37"
        .region shared
    .end
    .dep "d38"
        .region shared
    .end
    .dep "d39"
        .region shared
    .end
    .dep "d40"
        .region shared
    .end
    .dep "d41"
        .region shared
    .end
    .dep "d42"
        .region shared
    .end
    .dep "d43"
        .region shared
    .end
    .dep "d44"
        .region shared
    .end
    .dep "d45"
        .region shared
    .end
    .dep "d46"
        .region shared
    .end
    .dep "d47"
        .region shared
    .end
    .dep "d48"
        .region shared
    .end
    .dep "d49"
        .region shared
    .end
    .dep "d50"
        .region shared
    .end
    .dep "d51"
        .region shared
    .end
    .dep "d52"
        .region shared
    .end
    .dep "d53"
        .region shared
    .end
    .dep "d54"
        .region shared
    .end
    .dep "d55"
        .region shared
    .end
    .dep "d56"
        .region shared
    .end
    .dep "d57"
        .region shared
    .end
    .dep "d58"
        .region shared
    .end
    .dep "d59"
        .region shared
    .end
    .dep "d60"
        .region shared
    .end
    .dep "d61"
        .region shared
    .end
    .dep "d62"
        .region shared
    .end
    .dep "d63"
        .region shared
    .end
    .dep "d64"
        .region shared
    .end
    .dep "d65"
        .region shared
    .end
    .dep "d66"
        .region shared
    .end
    .dep "d67"
        .region shared
    .end
    .dep "d68"
        .region shared
    .end
    .dep "d69"
        .region shared
    .end
    .dep "d70"
        .region shared
    .end
    .dep "d71"
        .region shared
    .end
    .dep "d72"
        .region shared
    .end
    .dep "d73"
        .region shared
    .end
    .dep "d74"
        .region shared
    .end
    .dep "d75"
        .region shared
    .end
    .dep "d76"
        .region shared
    .end
    .dep "d77"
        .region shared
    .end
    .dep "d78"
        .region shared
    .end
    .dep "d79"
        .region shared
    .end
    .dep "d80"
        .region shared
    .end
    .dep "d81"
        .region shared
    .end
    .dep "d82"
        .region shared
    .end
    .dep "d83"
        .region shared
    .end
    .dep "d84"
        .region shared
    .end
    .dep "d85"
        .region shared
    .end
    .dep "d86"
        .region shared
    .end
    .dep "d87"
        .region shared
    .end
    .dep "d88"
        .region shared
    .end
    .dep "d89"
        .region shared
    .end
    .dep "d90"
        .region shared
    .end
    .dep "d91"
        .region shared
    .end
    .dep "d92"
        .region shared
    .end
    .dep "d93"
        .region shared
    .end
    .dep "d94"
        .region shared
    .end
    .dep "d95"
        .region shared
    .end
    .dep "d96"
        .region shared
    .end
    .dep "d97"
        .region shared
    .end
    .dep "d98"
        .region shared
    .end
    .dep "d99"
        .region shared
    .end
    .dep "d100"
        .region shared
    .end
    .dep "d101"
        .region shared
    .end
    .dep "d102"
        .region shared
    .end
    .dep "d103"
        .region shared
    .end
    .dep "d104"
        .region shared
    .end
    .dep "d105"
        .region shared
    .end
    .dep "d106"
        .region shared
    .end
    .dep "d107"
        .region shared
    .end
    .dep "d108"
        .region shared
    .end
    .dep "d109"
        .region shared
    .end
    .dep "d110"
        .region shared
    .end
    .dep "d111"
        .region shared
    .end
    .dep "d112"
        .region shared
    .end
    .dep "d113"
        .region shared
    .end
    .dep "d114"
        .region shared
    .end
    .dep "d115"
        .region shared
    .end
    .dep "d116"
        .region shared
    .end
    .dep "d117"
        .region shared
    .end
    .dep "d118"
        .region shared
    .end
    .dep "d119"
        .region shared
    .end
    .dep "d120"
        .region shared
    .end
    .dep "d121"
        .region shared
    .end
    .dep "d122"
        .region shared
    .end
    .dep "d123"
        .region shared
    .end
    .dep "d124"
        .region shared
    .end
    .dep "d125"
        .region shared
    .end
    .dep "d126"
        .region shared
    .end
    .dep "d127"
        .region shared
    .end
    .dep "d128"
        .region shared
    .end
    .dep "d129"
        .region shared
    .end
    .dep "d130"
        .region shared
    .end
    .dep "d131"
        .region shared
    .end
    .dep "d132"
        .region shared
    .end
    .dep "d133"
        .region shared
    .end
    .dep "d134"
        .region shared
    .end
    .dep "d135"
        .region shared
    .end
    .dep "d136"
        .region shared
    .end
    .dep "d137"
        .region shared
    .end
    .dep "d138"
        .region shared
    .end
    .dep "d139"
        .region shared
    .end
    .dep "d140"
        .region shared
    .end
    .dep "d141"
        .region shared
    .end
    .dep "d142"
        .region shared
    .end
    .dep "d143"
        .region shared
    .end
    .dep "d144"
        .region shared
    .end
    .dep "d145"
        .region shared
    .end
    .dep "d146"
        .region shared
    .end
    .dep "d147"
        .region shared
    .end
    .dep "d148"
        .region shared
    .end
    .dep "d149"
        .region shared
    .end
    .dep "d150"
        .region shared
    .end
    .dep "d151"
        .region shared
    .end
    .dep "d152"
        .region shared
    .end
    .dep "d153"
        .region shared
    .end
    .dep "d154"
        .region shared
    .end
    .dep "d155"
        .region shared
    .end
    .dep "d156"
        .region shared
    .end
    .dep "d157"
        .region shared
    .end
    .dep "d158"
        .region shared
    .end
    .dep "d159"
        .region shared
    .end
    .dep "d160"
        .region shared
    .end
    .dep "d161"
        .region shared
    .end
    .dep "d162"
        .region shared
    .end
    .dep "d163"
        .region shared
    .end
    .dep "d164"
        .region shared
    .end
    .dep "d165"
        .region shared
    .end
    .dep "d166"
        .region shared
    .end
    .dep "d167"
        .region shared
    .end
    .dep "d168"
        .region shared
    .end
    .dep "d169"
        .region shared
    .end
    .dep "d170"
        .region shared
    .end
    .dep "d171"
        .region shared
    .end
    .dep "d172"
        .region shared
    .end
    .dep "d173"
        .region shared
    .end
    .dep "d174"
        .region shared
    .end
    .dep "d175"
        .region shared
    .end
    .dep "d176"
        .region shared
    .end
    .dep "d177"
        .region shared
    .end
    .dep "d178"
        .region shared
    .end
    .dep "d179"
        .region shared
    .end
    .dep "d180"
        .region shared
    .end
    .dep "d181"
        .region shared
    .end
    .dep "d182"
        .region shared
    .end
    .dep "d183"
        .region shared
    .end
    .dep "d184"
        .region shared
    .end
    .dep "d185"
        .region shared
    .end
    .dep "d186"
        .region shared
    .end
    .dep "d187"
        .region shared
    .end
    .dep "d188"
        .region shared
    .end
    .dep "d189"
        .region shared
    .end
    .dep "d190"
        .region shared
    .end
    .dep "d191"
        .region shared
    .end
    .dep "d192"
        .region shared
    .end
    .dep "d193"
        .region shared
    .end
    .dep "d194"
        .region shared
    .end
    .dep "d195"
        .region shared
    .end
    .dep "d196"
        .region shared
    .end
    .dep "d197"
        .region shared
    .end
    .dep "d198"
        .region shared
    .end
    .dep "d199"
        .region shared
    .end
    .dep "d200"
        .region shared
    .end
    .dep "d201"
        .region shared
    .end
    .dep "d202"
        .region shared
    .end
    .dep "d203"
        .region shared
    .end
    .dep "d204"
        .region shared
    .end
    .dep "d205"
        .region shared
    .end
    .dep "d206"
        .region shared
    .end
    .dep "d207"
        .region shared
    .end
    .dep "d208"
        .region shared
    .end
    .dep "d209"
        .region shared
    .end
    .dep "d210"
        .region shared
    .end
    .dep "d211"
        .region shared
    .end
    .dep "d212"
        .region shared
    .end
    .dep "d213"
        .region shared
    .end
    .dep "d214"
        .region shared
    .end
    .dep "d215"
        .region shared
    .end
    .dep "d216"
        .region shared
    .end
    .dep "d217"
        .region shared
    .end
    .dep "d218"
        .region shared
    .end
    .dep "d219"
        .region shared
    .end
    .dep "d220"
        .region shared
    .end
    .dep "d221"
        .region shared
    .end
    .dep "d222"
        .region shared
    .end
    .dep "d223"
        .region shared
    .end
    .dep "d224"
        .region shared
    .end
    .dep "d225"
        .region shared
    .end
    .dep "d226"
        .region shared
    .end
    .dep "d227"
        .region shared
    .end
    .dep "d228"
        .region shared
    .end
    .dep "d229"
        .region shared
    .end
    .dep "d230"
        .region shared
    .end
    .dep "d231"
        .region shared
    .end
    .dep "d232"
        .region shared
    .end
    .dep "d233"
        .region shared
    .end
    .dep "d234"
        .region shared
    .end
    .dep "d235"
        .region shared
    .end
    .dep "d236"
        .region shared
    .end
    .dep "d237"
        .region shared
    .end
    .dep "d238"
        .region shared
    .end
    .dep "d239"
        .region shared
    .end
    .dep "d240"
        .region shared
    .end
    .dep "d241"
        .region shared
    .end
    .dep "d242"
        .region shared
    .end
    .dep "d243"
        .region shared
    .end
    .dep "d244"
        .region shared
    .end
    .dep "d245"
        .region shared
    .end
    .dep "d246"
        .region shared
    .end
    .dep "d247"
        .region shared
    .end
    .dep "d248"
        .region shared
    .end
    .dep "d249"
        .region shared
    .end
    .dep "d250"
        .region shared
    .end
    .dep "d251"
        .region shared
    .end
    .dep "d252"
        .region shared
    .end
    .dep "d253"
        .region shared
    .end
    .dep "d254"
        .region shared
    .end
    .dep "d255"
        .region shared
    .end
    .dep "d256"
        .region shared
    .end
    .dep "d257"
        .region shared
    .end
    .dep "d258"
        .region shared
    .end
    .dep "d259"
        .region shared
    .end
    .dep "d260"
        .region shared
    .end
    .dep "d261"
        .region shared
    .end
    .dep "d262"
        .region shared
    .end
    .dep "d263"
        .region shared
    .end
    .dep "d264"
        .region shared
    .end
    .dep "d265"
        .region shared
    .end
    .dep "d266"
        .region shared
    .end
    .dep "d267"
        .region shared
    .end
    .dep "d268"
        .region shared
    .end
    .dep "d269"
        .region shared
    .end
    .dep "d270"
        .region shared
    .end
    .dep "d271"
        .region shared
    .end
    .dep "d272"
        .region shared
    .end
    .dep "d273"
        .region shared
    .end
    .dep "d274"
        .region shared
    .end
    .dep "d275"
        .region shared
    .end
    .dep "d276"
        .region shared
    .end
    .dep "d277"
        .region shared
    .end
    .dep "d278"
        .region shared
    .end
    .dep "d279"
        .region shared
    .end
    .dep "d280"
        .region shared
    .end
    .dep "d281"
        .region shared
    .end
    .dep "d282"
        .region shared
    .end
    .dep "d283"
        .region shared
    .end
    .dep "d284"
        .region shared
    .end
    .dep "d285"
        .region shared
    .end
    .dep "d286"
        .region shared
    .end
    .dep "d287"
        .region shared
    .end
    .dep "d288"
        .region shared
    .end
    .dep "d289"
        .region shared
    .end
    .dep "d290"
        .region shared
    .end
    .dep "d291"
        .region shared
    .end
    .dep "d292"
        .region shared
    .end
    .dep "d293"
        .region shared
    .end
    .dep "d294"
        .region shared
    .end
    .dep "d295"
        .region shared
    .end
    .dep "d296"
        .region shared
    .end
    .dep "d297"
        .region shared
    .end
    .dep "d298"
        .region shared
    .end
    .dep "d299"
        .region shared
    .end
    .dep "d300"
        .region shared
    .end
    .dep "d301"
        .region shared
    .end
    .dep "d302"
        .region shared
    .end
    .dep "d303"
        .region shared
    .end
    .dep "d304"
        .region shared
    .end
    .dep "d305"
        .region shared
    .end
    .dep "d306"
        .region shared
    .end
    .dep "d307"
        .region shared
    .end
    .dep "d308"
        .region shared
    .end
    .dep "d309"
        .region shared
    .end
    .dep "d310"
        .region shared
    .end
    .dep "d311"
        .region shared
    .end
    .dep "d312"
        .region shared
    .end
    .dep "d313"
        .region shared
    .end
    .dep "d314"
        .region shared
    .end
    .dep "d315"
        .region shared
    .end
    .dep "d316"
        .region shared
    .end
    .dep "d317"
        .region shared
    .end
    .dep "d318"
        .region shared
    .end
    .dep "d319"
        .region shared
    .end
    .dep "d320"
        .region shared
    .end
    .dep "d321"
        .region shared
    .end
    .dep "d322"
        .region shared
    .end
    .dep "d323"
        .region shared
    .end
    .dep "d324"
        .region shared
    .end
    .dep "d325"
        .region shared
    .end
    .dep "d326"
        .region shared
    .end
    .dep "d327"
        .region shared
    .end
    .dep "d328"
        .region shared
    .end
    .dep "d329"
        .region shared
    .end
    .dep "d330"
        .region shared
    .end
    .dep "d331"
        .region shared
    .end
    .dep "d332"
        .region shared
    .end
    .dep "d333"
        .region shared
    .end
    .dep "d334"
        .region shared
    .end
    .dep "d335"
        .region shared
    .end
    .dep "d336"
        .region shared
    .end
    .dep "d337"
        .region shared
    .end
    .dep "d338"
        .region shared
    .end
    .dep "d339"
        .region shared
    .end
    .dep "d340"
        .region shared
    .end
    .dep "d341"
        .region shared
    .end
    .dep "d342"
        .region shared
    .end
    .dep "d343"
        .region shared
    .end
    .dep "d344"
        .region shared
    .end
    .dep "d345"
        .region shared
    .end
    .dep "d346"
        .region shared
    .end
    .dep "d347"
        .region shared
    .end
    .dep "d348"
        .region shared
    .end
    .dep "d349"
        .region shared
    .end
    .dep "d350"
        .region shared
    .end
    .dep "d351"
        .region shared
    .end
    .dep "d352"
        .region shared
    .end
    .dep "d353"
        .region shared
    .end
    .dep "d354"
        .region shared
    .end
    .dep "d355"
        .region shared
    .end
    .dep "d356"
        .region shared
    .end
    .dep "d357"
        .region shared
    .end
    .dep "d358"
        .region shared
    .end
    .dep "d359"
        .region shared
    .end
    .dep "d360"
        .region shared
    .end
    .dep "d361"
        .region shared
    .end
    .dep "d362"
        .region shared
    .end
    .dep "d363"
        .region shared
    .end
    .dep "d364"
        .region shared
    .end
    .dep "d365"
        .region shared
    .end
    .dep "d366"
        .region shared
    .end
    .dep "d367"
        .region shared
    .end
    .dep "d368"
        .region shared
    .end
    .dep "d369"
        .region shared
    .end
    .dep "d370"
        .region shared
    .end
    .dep "d371"
        .region shared
    .end
    .dep "d372"
        .region shared
    .end
    .dep "d373"
        .region shared
    .end
    .dep "d374"
        .region shared
    .end
    .dep "d375"
        .region shared
    .end
    .dep "d376"
        .region shared
    .end
    .dep "d377"
        .region shared
    .end
    .dep "d378"
        .region shared
    .end
    .dep "d379"
        .region shared
    .end
    .dep "d380"
        .region shared
    .end
    .dep "d381"
        .region shared
    .end
    .dep "d382"
        .region shared
    .end
    .dep "d383"
        .region shared
    .end
    .dep "d384"
        .region shared
    .end
    .dep "d385"
        .region shared
    .end
    .dep "d386"
        .region shared
    .end
    .dep "d387"
        .region shared
    .end
    .dep "d388"
        .region shared
    .end
    .dep "d389"
        .region shared
    .end
    .dep "d390"
        .region shared
    .end
    .dep "d391"
        .region shared
    .end
    .dep "d392"
        .region shared
    .end
    .dep "d393"
        .region shared
    .end
    .dep "d394"
        .region shared
    .end
    .dep "d395"
        .region shared
    .end
    .dep "d396"
        .region shared
    .end
    .dep "d397"
        .region shared
    .end
    .dep "d398"
        .region shared
    .end
    .dep "d399"
        .region shared
    .end
    .dep "d400"
        .region shared
    .end
    .dep "d401"
        .region shared
    .end
    .dep "d402"
        .region shared
    .end
    .dep "d403"
        .region shared
    .end
    .dep "d404"
        .region shared
    .end
    .dep "d405"
        .region shared
    .end
    .dep "d406"
        .region shared
    .end
    .dep "d407"
        .region shared
    .end
    .dep "d408"
        .region shared
    .end
    .dep "d409"
        .region shared
    .end
    .dep "d410"
        .region shared
    .end
    .dep "d411"
        .region shared
    .end
    .dep "d412"
        .region shared
    .end
    .dep "d413"
        .region shared
    .end
    .dep "d414"
        .region shared
    .end
    .dep "d415"
        .region shared
    .end
    .dep "d416"
        .region shared
    .end
    .dep "d417"
        .region shared
    .end
    .dep "d418"
        .region shared
    .end
    .dep "d419"
        .region shared
    .end
    .dep "d420"
        .region shared
    .end
    .dep "d421"
        .region shared
    .end
    .dep "d422"
        .region shared
    .end
    .dep "d423"
        .region shared
    .end
    .dep "d424"
        .region shared
    .end
    .dep "d425"
        .region shared
    .end
    .dep "d426"
        .region shared
    .end
    .dep "d427"
        .region shared
    .end
    .dep "d428"
        .region shared
    .end
    .dep "d429"
        .region shared
    .end
    .dep "d430"
        .region shared
    .end
    .dep "d431"
        .region shared
    .end
    .dep "d432"
        .region shared
    .end
    .dep "d433"
        .region shared
    .end
    .dep "d434"
        .region shared
    .end
    .dep "d435"
        .region shared
    .end
    .dep "d436"
        .region shared
    .end
    .dep "d437"
        .region shared
    .end
    .dep "d438"
        .region shared
    .end
    .dep "d439"
        .region shared
    .end
    .dep "d440"
        .region shared
    .end
    .dep "d441"
        .region shared
    .end
    .dep "d442"
        .region shared
    .end
    .dep "d443"
        .region shared
    .end
    .dep "d444"
        .region shared
    .end
    .dep "d445"
        .region shared
    .end
    .dep "d446"
        .region shared
    .end
    .dep "d447"
        .region shared
    .end
    .dep "d448"
        .region shared
    .end
    .dep "d449"
        .region shared
    .end
    .dep "d450"
        .region shared
    .end
    .dep "d451"
        .region shared
    .end
    .dep "d452"
        .region shared
    .end
    .dep "d453"
        .region shared
    .end
    .dep "d454"
        .region shared
    .end
    .dep "d455"
        .region shared
    .end
    .dep "d456"
        .region shared
    .end
    .dep "d457"
        .region shared
    .end
    .dep "d458"
        .region shared
    .end
    .dep "d459"
        .region shared
    .end
    .dep "d460"
        .region shared
    .end
    .dep "d461"
        .region shared
    .end
    .dep "d462"
        .region shared
    .end
    .dep "d463"
        .region shared
    .end
    .dep "d464"
        .region shared
    .end
    .dep "d465"
        .region shared
    .end
    .dep "d466"
        .region shared
    .end
    .dep "d467"
        .region shared
    .end
    .dep "d468"
        .region shared
    .end
    .dep "d469"
        .region shared
    .end
    .dep "d470"
        .region shared
    .end
    .dep "d471"
        .region shared
    .end
    .dep "d472"
        .region shared
    .end
    .dep "d473"
        .region shared
    .end
    .dep "d474"
        .region shared
    .end
    .dep "d475"
        .region shared
    .end
    .dep "d476"
        .region shared
    .end
    .dep "d477"
        .region shared
    .end
    .dep "d478"
        .region shared
    .end
    .dep "d479"
        .region shared
    .end
    .dep "d480"
        .region shared
    .end
    .dep "d481"
        .region shared
    .end
    .dep "d482"
        .region shared
    .end
    .dep "d483"
        .region shared
    .end
    .dep "d484"
        .region shared
    .end
    .dep "d485"
        .region shared
    .end
    .dep "d486"
        .region shared
    .end
    .dep "d487"
        .region shared
    .end
    .dep "d488"
        .region shared
    .end
    .dep "d489"
        .region shared
    .end
    .dep "d490"
        .region shared
    .end
    .dep "d491"
        .region shared
    .end
    .dep "d492"
        .region shared
    .end
    .dep "d493"
        .region shared
    .end
    .dep "d494"
        .region shared
    .end
    .dep "d495"
        .region shared
    .end
    .dep "d496"
        .region shared
    .end
    .dep "d497"
        .region shared
    .end
    .dep "d498"
        .region shared
    .end
    .dep "d499"
        .region shared
    .end
    .dep "d500"
        .region shared
    .end
    .dep "d501"
        .region shared
    .end
    .dep "d502"
        .region shared
    .end
    .dep "d503"
        .region shared
    .end
    .dep "d504"
        .region shared
    .end
    .dep "d505"
        .region shared
    .end
    .dep "d506"
        .region shared
    .end
    .dep "d507"
        .region shared
    .end
    .dep "d508"
        .region shared
    .end
    .dep "d509"
        .region shared
    .end
    .dep "d510"
        .region shared
    .end
    .dep "d511"
        .region shared
    .end
    .dep "d512"
        .region shared
    .end
    .dep "d513"
        .region shared
    .end
    .dep "d514"
        .region shared
    .end
    .dep "d515"
        .region shared
    .end
    .dep "d516"
        .region shared
    .end
    .dep "d517"
        .region shared
    .end
    .dep "d518"
        .region shared
    .end
    .dep "d519"
        .region shared
    .end
    .dep "d520"
        .region shared
    .end
    .dep "d521"
        .region shared
    .end
    .dep "d522"
        .region shared
    .end
    .dep "d523"
        .region shared
    .end
    .dep "d524"
        .region shared
    .end
    .dep "d525"
        .region shared
    .end
    .dep "d526"
        .region shared
    .end
    .dep "d527"
        .region shared
    .end
    .dep "d528"
        .region shared
    .end
    .dep "d529"
        .region shared
    .end
    .dep "d530"
        .region shared
    .end
    .dep "d531"
        .region shared
    .end
    .dep "d532"
        .region shared
    .end
    .dep "d533"
        .region shared
    .end
    .dep "d534"
        .region shared
    .end
    .dep "d535"
        .region shared
    .end
    .dep "d536"
        .region shared
    .end
    .dep "d537"
        .region shared
    .end
    .dep "d538"
        .region shared
    .end
    .dep "d539"
        .region shared
    .end
    .dep "d540"
        .region shared
    .end
    .dep "d541"
        .region shared
    .end
    .dep "d542"
        .region shared
    .end
    .dep "d543"
        .region shared
    .end
    .dep "d544"
        .region shared
    .end
    .dep "d545"
        .region shared
    .end
    .dep "d546"
        .region shared
    .end
    .dep "d547"
        .region shared
    .end
    .dep "d548"
        .region shared
    .end
    .dep "d549"
        .region shared
    .end
    .dep "d550"
        .region shared
    .end
    .dep "d551"
        .region shared
    .end
    .dep "d552"
        .region shared
    .end
    .dep "d553"
        .region shared
    .end
    .dep "d554"
        .region shared
    .end
    .dep "d555"
        .region shared
    .end
    .dep "d556"
        .region shared
    .end
    .dep "d557"
        .region shared
    .end
    .dep "d558"
        .region shared
    .end
    .dep "d559"
        .region shared
    .end
    .dep "d560"
        .region shared
    .end
    .dep "d561"
        .region shared
    .end
    .dep "d562"
        .region shared
    .end
    .dep "d563"
        .region shared
    .end
    .dep "d564"
        .region shared
    .end
    .dep "d565"
        .region shared
    .end
    .dep "d566"
        .region shared
    .end
    .dep "d567"
        .region shared
    .end
    .dep "d568"
        .region shared
    .end
    .dep "d569"
        .region shared
    .end
    .dep "d570"
        .region shared
    .end
    .dep "d571"
        .region shared
    .end
    .dep "d572"
        .region shared
    .end
    .dep "d573"
        .region shared
    .end
    .dep "d574"
        .region shared
    .end
    .dep "d575"
        .region shared
    .end
    .dep "d576"
        .region shared
    .end
    .dep "d577"
        .region shared
    .end
    .dep "d578"
        .region shared
    .end
    .dep "d579"
        .region shared
    .end
    .dep "d580"
        .region shared
    .end
    .dep "d581"
        .region shared
    .end
    .dep "d582"
        .region shared
    .end
    .dep "d583"
        .region shared
    .end
    .dep "d584"
        .region shared
    .end
    .dep "d585"
        .region shared
    .end
    .dep "d586"
        .region shared
    .end
    .dep "d587"
        .region shared
    .end
    .dep "d588"
        .region shared
    .end
    .dep "d589"
        .region shared
    .end
    .dep "d590"
        .region shared
    .end
    .dep "d591"
        .region shared
    .end
    .dep "d592"
        .region shared
    .end
    .dep "d593"
        .region shared
    .end
    .dep "d594"
        .region shared
    .end
    .dep "d595"
        .region shared
    .end
    .dep "d596"
        .region shared
    .end
    .dep "d597"
        .region shared
    .end
    .dep "d598"
        .region shared
    .end
    .dep "d599"
        .region shared
    .end
    .dep "d600"
        .region shared
    .end
    .dep "d601"
        .region shared
    .end
    .dep "d602"
        .region shared
    .end
    .dep "d603"
        .region shared
    .end
    .dep "d604"
        .region shared
    .end
    .dep "d605"
        .region shared
    .end
    .dep "d606"
        .region shared
    .end
    .dep "d607"
        .region shared
    .end
    .dep "d608"
        .region shared
    .end
    .dep "d609"
        .region shared
    .end
    .dep "d610"
        .region shared
    .end
    .dep "d611"
        .region shared
    .end
    .dep "d612"
        .region shared
    .end
    .dep "d613"
        .region shared
    .end
    .dep "d614"
        .region shared
    .end
    .dep "d615"
        .region shared
    .end
    .dep "d616"
        .region shared
    .end
    .dep "d617"
        .region shared
    .end
    .dep "d618"
        .region shared
    .end
    .dep "d619"
        .region shared
    .end
    .dep "d620"
        .region shared
    .end
    .dep "d621"
        .region shared
    .end
    .dep "d622"
        .region shared
    .end
    .dep "d623"
        .region shared
    .end
    .dep "d624"
        .region shared
    .end
    .dep "d625"
        .region shared
    .end
    .dep "d626"
        .region shared
    .end
    .dep "d627"
        .region shared
    .end
    .dep "d628"
        .region shared
    .end
    .dep "d629"
        .region shared
    .end
    .dep "d630"
        .region shared
    .end
    .dep "d631"
        .region shared
    .end
    .dep "d632"
        .region shared
    .end
    .dep "d633"
        .region shared
    .end
    .dep "d634"
        .region shared
    .end
    .dep "d635"
        .region shared
    .end
    .dep "d636"
        .region shared
    .end
    .dep "d637"
        .region shared
    .end
    .dep "d638"
        .region shared
    .end
    .dep "d639"
        .region shared
    .end
    .dep "d640"
        .region shared
    .end
    .dep "d641"
        .region shared
    .end
    .dep "d642"
        .region shared
    .end
    .dep "d643"
        .region shared
    .end
    .dep "d644"
        .region shared
    .end
    .dep "d645"
        .region shared
    .end
    .dep "d646"
        .region shared
    .end
    .dep "d647"
        .region shared
    .end
    .dep "d648"
        .region shared
    .end
    .dep "d649"
        .region shared
    .end
    .dep "d650"
        .region shared
    .end
    .dep "d651"
        .region shared
    .end
    .dep "d652"
        .region shared
    .end
    .dep "d653"
        .region shared
    .end
    .dep "d654"
        .region shared
    .end
    .dep "d655"
        .region shared
    .end
    .dep "d656"
        .region shared
    .end
    .dep "d657"
        .region shared
    .end
    .dep "d658"
        .region shared
    .end
    .dep "d659"
        .region shared
    .end
    .dep "d660"
        .region shared
    .end
    .dep "d661"
        .region shared
    .end
    .dep "d662"
        .region shared
    .end
    .dep "d663"
        .region shared
    .end
    .dep "d664"
        .region shared
    .end
    .dep "d665"
        .region shared
    .end
    .dep "d666"
        .region shared
    .end
    .dep "d667"
        .region shared
    .end
    .dep "d668"
        .region shared
    .end
    .dep "d669"
        .region shared
    .end
    .dep "d670"
        .region shared
    .end
    .dep "d671"
        .region shared
    .end
    .dep "d672"
        .region shared
    .end
    .dep "d673"
        .region shared
    .end
    .dep "d674"
        .region shared
    .end
    .dep "d675"
        .region shared
    .end
    .dep "d676"
        .region shared
    .end
    .dep "d677"
        .region shared
    .end
    .dep "d678"
        .region shared
    .end
    .dep "d679"
        .region shared
    .end
    .dep "d680"
        .region shared
    .end
    .dep "d681"
        .region shared
    .end
    .dep "d682"
        .region shared
    .end
    .dep "d683"
        .region shared
    .end
    .dep "d684"
        .region shared
    .end
    .dep "d685"
        .region shared
    .end
    .dep "d686"
        .region shared
    .end
    .dep "d687"
        .region shared
    .end
    .dep "d688"
        .region shared
    .end
    .dep "d689"
        .region shared
    .end
    .dep "d690"
        .region shared
    .end
    .dep "d691"
        .region shared
    .end
    .dep "d692"
        .region shared
    .end
    .dep "d693"
        .region shared
    .end
    .dep "d694"
        .region shared
    .end
    .dep "d695"
        .region shared
    .end
    .dep "d696"
        .region shared
    .end
    .dep "d697"
        .region shared
    .end
    .dep "d698"
        .region shared
    .end
    .dep "d699"
        .region shared
    .end
    .dep "d700"
        .region shared
    .end
    .dep "d701"
        .region shared
    .end
    .dep "d702"
        .region shared
    .end
    .dep "d703"
        .region shared
    .end
    .dep "d704"
        .region shared
    .end
    .dep "d705"
        .region shared
    .end
    .dep "d706"
        .region shared
    .end
    .dep "d707"
        .region shared
    .end
    .dep "d708"
        .region shared
    .end
    .dep "d709"
        .region shared
    .end
    .dep "d710"
        .region shared
    .end
    .dep "d711"
        .region shared
    .end
    .dep "d712"
        .region shared
    .end
    .dep "d713"
        .region shared
    .end
    .dep "d714"
        .region shared
    .end
    .dep "d715"
        .region shared
    .end
    .dep "d716"
        .region shared
    .end
    .dep "d717"
        .region shared
    .end
    .dep "d718"
        .region shared
    .end
    .dep "d719"
        .region shared
    .end
    .dep "d720"
        .region shared
    .end
    .dep "d721"
        .region shared
    .end
    .dep "d722"
        .region shared
    .end
    .dep "d723"
        .region shared
    .end
    .dep "d724"
        .region shared
    .end
    .dep "d725"
        .region shared
    .end
    .dep "d726"
        .region shared
    .end
    .dep "d727"
        .region shared
    .end
    .dep "d728"
        .region shared
    .end
    .dep "d729"
        .region shared
    .end
    .dep "d730"
        .region shared
    .end
    .dep "d731"
        .region shared
    .end
    .dep "d732"
        .region shared
    .end
    .dep "d733"
        .region shared
    .end
    .dep "d734"
        .region shared
    .end
    .dep "d735"
        .region shared
    .end
    .dep "d736"
        .region shared
    .end
    .dep "d737"
        .region shared
    .end
    .dep "d738"
        .region shared
    .end
    .dep "d739"
        .region shared
    .end
    .dep "d740"
        .region shared
    .end
    .dep "d741"
        .region shared
    .end
    .dep "d742"
        .region shared
    .end
    .dep "d743"
        .region shared
    .end
    .dep "d744"
        .region shared
    .end
    .dep "d745"
        .region shared
    .end
    .dep "d746"
        .region shared
    .end
    .dep "d747"
        .region shared
    .end
    .dep "d748"
        .region shared
    .end
    .dep "d749"
        .region shared
    .end
    .dep "d750"
        .region shared
    .end
    .dep "d751"
        .region shared
    .end
    .dep "d752"
        .region shared
    .end
    .dep "d753"
        .region shared
    .end
    .dep "d754"
        .region shared
    .end
    .dep "d755"
        .region shared
    .end
    .dep "d756"
        .region shared
    .end
    .dep "d757"
        .region shared
    .end
    .dep "d758"
        .region shared
    .end
    .dep "d759"
        .region shared
    .end
    .dep "d760"
        .region shared
    .end
    .dep "d761"
        .region shared
    .end
    .dep "d762"
        .region shared
    .end
    .dep "d763"
        .region shared
    .end
    .dep "d764"
        .region shared
    .end
    .dep "d765"
        .region shared
    .end
    .dep "d766"
        .region shared
    .end
    .dep "d767"
        .region shared
    .end
    .dep "d768"
        .region shared
    .end
    .dep "d769"
        .region shared
    .end
    .dep "d770"
        .region shared
    .end
    .dep "d771"
        .region shared
    .end
    .dep "d772"
        .region shared
    .end
    .dep "d773"
        .region shared
    .end
    .dep "d774"
        .region shared
    .end
    .dep "d775"
        .region shared
    .end
    .dep "d776"
        .region shared
    .end
    .dep "d777"
        .region shared
    .end
    .dep "d778"
        .region shared
    .end
    .dep "d779"
        .region shared
    .end
    .dep "d780"
        .region shared
    .end
    .dep "d781"
        .region shared
    .end
    .dep "d782"
        .region shared
    .end
    .dep "d783"
        .region shared
    .end
    .dep "d784"
        .region shared
    .end
    .dep "d785"
        .region shared
    .end
    .dep "d786"
        .region shared
    .end
    .dep "d787"
        .region shared
    .end
    .dep "d788"
        .region shared
    .end
    .dep "d789"
        .region shared
    .end
    .dep "d790"
        .region shared
    .end
    .dep "d791"
        .region shared
    .end
    .dep "d792"
        .region shared
    .end
    .dep "d793"
        .region shared
    .end
    .dep "d794"
        .region shared
    .end
    .dep "d795"
        .region shared
    .end
    .dep "d796"
        .region shared
    .end
    .dep "d797"
        .region shared
    .end
    .dep "d798"
        .region shared
    .end
    .dep "d799"
        .region shared
    .end
    .dep "d800"
        .region shared
    .end
    .dep "d801"
        .region shared
    .end
    .dep "d802"
        .region shared
    .end
    .dep "d803"
        .region shared
    .end
    .dep "d804"
        .region shared
    .end
    .dep "d805"
        .region shared
    .end
    .dep "d806"
        .region shared
    .end
    .dep "d807"
        .region shared
    .end
    .dep "d808"
        .region shared
    .end
    .dep "d809"
        .region shared
    .end
    .dep "d810"
        .region shared
    .end
    .dep "d811"
        .region shared
    .end
    .dep "d812"
        .region shared
    .end
    .dep "d813"
        .region shared
    .end
    .dep "d814"
        .region shared
    .end
    .dep "d815"
        .region shared
    .end
    .dep "d816"
        .region shared
    .end
    .dep "d817"
        .region shared
    .end
    .dep "d818"
        .region shared
    .end
    .dep "d819"
        .region shared
    .end
    .dep "d820"
        .region shared
    .end
    .dep "d821"
        .region shared
    .end
    .dep "d822"
        .region shared
    .end
    .dep "d823"
        .region shared
    .end
    .dep "d824"
        .region shared
    .end
    .dep "d825"
        .region shared
    .end
    .dep "d826"
        .region shared
    .end
    .dep "d827"
        .region shared
    .end
    .dep "d828"
        .region shared
    .end
    .dep "d829"
        .region shared
    .end
    .dep "d830"
        .region shared
    .end
    .dep "d831"
        .region shared
    .end
    .dep "d832"
        .region shared
    .end
    .dep "d833"
        .region shared
    .end
    .dep "d834"
        .region shared
    .end
    .dep "d835"
        .region shared
    .end
    .dep "d836"
        .region shared
    .end
    .dep "d837"
        .region shared
    .end
    .dep "d838"
        .region shared
    .end
    .dep "d839"
        .region shared
    .end
    .dep "d840"
        .region shared
    .end
    .dep "d841"
        .region shared
    .end
    .dep "d842"
        .region shared
    .end
    .dep "d843"
        .region shared
    .end
    .dep "d844"
        .region shared
    .end
    .dep "d845"
        .region shared
    .end
    .dep "d846"
        .region shared
    .end
    .dep "d847"
        .region shared
    .end
    .dep "d848"
        .region shared
    .end
    .dep "d849"
        .region shared
    .end
    .dep "d850"
        .region shared
    .end
    .dep "d851"
        .region shared
    .end
    .dep "d852"
        .region shared
    .end
    .dep "d853"
        .region shared
    .end
    .dep "d854"
        .region shared
    .end
    .dep "d855"
        .region shared
    .end
    .dep "d856"
        .region shared
    .end
    .dep "d857"
        .region shared
    .end
    .dep "d858"
        .region shared
    .end
    .dep "d859"
        .region shared
    .end
    .dep "d860"
        .region shared
    .end
    .dep "d861"
        .region shared
    .end
    .dep "d862"
        .region shared
    .end
    .dep "d863"
        .region shared
    .end
    .dep "d864"
        .region shared
    .end
    .dep "d865"
        .region shared
    .end
    .dep "d866"
        .region shared
    .end
    .dep "d867"
        .region shared
    .end
    .dep "d868"
        .region shared
    .end
    .dep "d869"
        .region shared
    .end
    .dep "d870"
        .region shared
    .end
    .dep "d871"
        .region shared
    .end
    .dep "d872"
        .region shared
    .end
    .dep "d873"
        .region shared
    .end
    .dep "d874"
        .region shared
    .end
    .dep "d875"
        .region shared
    .end
    .dep "d876"
        .region shared
    .end
    .dep "d877"
        .region shared
    .end
    .dep "d878"
        .region shared
    .end
    .dep "d879"
        .region shared
    .end
    .dep "d880"
        .region shared
    .end
    .dep "d881"
        .region shared
    .end
    .dep "d882"
        .region shared
    .end
    .dep "d883"
        .region shared
    .end
    .dep "d884"
        .region shared
    .end
    .dep "d885"
        .region shared
    .end
    .dep "d886"
        .region shared
    .end
    .dep "d887"
        .region shared
    .end
    .dep "d888"
        .region shared
    .end
    .dep "d889"
        .region shared
    .end
    .dep "d890"
        .region shared
    .end
    .dep "d891"
        .region shared
    .end
    .dep "d892"
        .region shared
    .end
    .dep "d893"
        .region shared
    .end
    .dep "d894"
        .region shared
    .end
    .dep "d895"
        .region shared
    .end
    .dep "d896"
        .region shared
    .end
    .dep "d897"
        .region shared
    .end
    .dep "d898"
        .region shared
    .end
    .dep "d899"
        .region shared
    .end
    .dep "d900"
        .region shared
    .end
    .dep "d901"
        .region shared
    .end
    .dep "d902"
        .region shared
    .end
    .dep "d903"
        .region shared
    .end
    .dep "d904"
        .region shared
    .end
    .dep "d905"
        .region shared
    .end
    .dep "d906"
        .region shared
    .end
    .dep "d907"
        .region shared
    .end
    .dep "d908"
        .region shared
    .end
    .dep "d909"
        .region shared
    .end
    .dep "d910"
        .region shared
    .end
    .dep "d911"
        .region shared
    .end
    .dep "d912"
        .region shared
    .end
    .dep "d913"
        .region shared
    .end
    .dep "d914"
        .region shared
    .end
    .dep "d915"
        .region shared
    .end
    .dep "d916"
        .region shared
    .end
    .dep "d917"
        .region shared
    .end
    .dep "d918"
        .region shared
    .end
    .dep "d919"
        .region shared
    .end
    .dep "d920"
        .region shared
    .end
    .dep "d921"
        .region shared
    .end
    .dep "d922"
        .region shared
    .end
    .dep "d923"
        .region shared
    .end
    .dep "d924"
        .region shared
    .end
    .dep "d925"
        .region shared
    .end
    .dep "d926"
        .region shared
    .end
    .dep "d927"
        .region shared
    .end
    .dep "d928"
        .region shared
    .end
    .dep "d929"
        .region shared
    .end
    .dep "d930"
        .region shared
    .end
    .dep "d931"
        .region shared
    .end
    .dep "d932"
        .region shared
    .end
    .dep "d933"
        .region shared
    .end
    .dep "d934"
        .region shared
    .end
    .dep "d935"
        .region shared
    .end
    .dep "d936"
        .region shared
    .end
    .dep "d937"
        .region shared
    .end
    .dep "d938"
        .region shared
    .end
    .dep "d939"
        .region shared
    .end
    .dep "d940"
        .region shared
    .end
    .dep "d941"
        .region shared
    .end
    .dep "d942"
        .region shared
    .end
    .dep "d943"
        .region shared
    .end
    .dep "d944"
        .region shared
    .end
    .dep "d945"
        .region shared
    .end
    .dep "d946"
        .region shared
    .end
    .dep "d947"
        .region shared
    .end
    .dep "d948"
        .region shared
    .end
    .dep "d949"
        .region shared
    .end
    .dep "d950"
        .region shared
    .end
    .dep "d951"
        .region shared
    .end
    .dep "d952"
        .region shared
    .end
    .dep "d953"
        .region shared
    .end
    .dep "d954"
        .region shared
    .end
    .dep "d955"
        .region shared
    .end
    .dep "d956"
        .region shared
    .end
    .dep "d957"
        .region shared
    .end
    .dep "d958"
        .region shared
    .end
    .dep "d959"
        .region shared
    .end
    .dep "d960"
        .region shared
    .end
    .dep "d961"
        .region shared
    .end
    .dep "d962"
        .region shared
    .end
    .dep "d963"
        .region shared
    .end
    .dep "d964"
        .region shared
    .end
    .dep "d965"
        .region shared
    .end
    .dep "d966"
        .region shared
    .end
    .dep "d967"
        .region shared
    .end
    .dep "d968"
        .region shared
    .end
    .dep "d969"
        .region shared
    .end
    .dep "d970"
        .region shared
    .end
    .dep "d971"
        .region shared
    .end
    .dep "d972"
        .region shared
    .end
    .dep "d973"
        .region shared
    .end
    .dep "d974"
        .region shared
    .end
    .dep "d975"
        .region shared
    .end
    .dep "d976"
        .region shared
    .end
    .dep "d977"
        .region shared
    .end
    .dep "d978"
        .region shared
    .end
    .dep "d979"
        .region shared
    .end
    .dep "d980"
        .region shared
    .end
    .dep "d981"
        .region shared
    .end
    .dep "d982"
        .region shared
    .end
    .dep "d983"
        .region shared
    .end
    .dep "d984"
        .region shared
    .end
    .dep "d985"
        .region shared
    .end
    .dep "d986"
        .region shared
    .end
    .dep "d987"
        .region shared
    .end
    .dep "d988"
        .region shared
    .end
    .dep "d989"
        .region shared
    .end
    .dep "d990"
        .region shared
    .end
    .dep "d991"
        .region shared
    .end
    .dep "d992"
        .region shared
    .end
    .dep "d993"
        .region shared
    .end
    .dep "d994"
        .region shared
    .end
    .dep "d995"
        .region shared
    .end
    .dep "d996"
        .region shared
    .end
    .dep "d997"
        .region shared
    .end
    .dep "d998"
        .region shared
    .end
    .dep "d999"
        .region shared
    .end
    .dep "d1000"
        .region shared
    .end
    .dep "d1001"
        .region shared
    .end
    .dep "d1002"
        .region shared
    .end
    .dep "d1003"
        .region shared
    .end
    .dep "d1004"
        .region shared
    .end
    .dep "d1005"
        .region shared
    .end
    .dep "d1006"
        .region shared
    .end
    .dep "d1007"
        .region shared
    .end
    .dep "d1008"
        .region shared
    .end
    .dep "d1009"
        .region shared
    .end
    .dep "d1010"
        .region shared
    .end
    .dep "d1011"
        .region shared
    .end
    .dep "d1012"
        .region shared
    .end
    .dep "d1013"
        .region shared
    .end
    .dep "d1014"
        .region shared
    .end
    .dep "d1015"
        .region shared
    .end
    .dep "d1016"
        .region shared
    .end
    .dep "d1017"
        .region shared
    .end
    .dep "d1018"
        .region shared
    .end
    .dep "d1019"
        .region shared
    .end
    .dep "d1020"
        .region shared
    .end
    .dep "d1021"
        .region shared
    .end
    .dep "d1022"
        .region shared
    .end
    .dep "d1023"
        .region shared
    .end
.end
.region shared
    return_nil
.end
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
